#include "common/removed_on_fault.h"

#include <array>
#include <atomic>
#include <windows.h>

namespace {

enum SlotState : int { Free = 0, Filling = 1, Armed = 2 };

// Paths are kept in UTF-16, converted when registered: the fault filter then only hands
// them to DeleteFileW.
struct Slot {
    std::atomic<int> state{Free};
    std::array<wchar_t, 4096> path{};
};
static_assert(std::atomic<int>::is_always_lock_free);

// The global state the fault filter must read: one writer at a time per slot.
std::array<Slot, 4> slots;

} // namespace

void RemovedOnFault::Register(std::string_view path) {
    Forget();
    if (path.empty() || path.size() >= slots[0].path.size() ||
        path.find('\0') != std::string_view::npos) {
        return;
    }
    for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Filling)) {
            Slot& slot = slots[i];
            const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                                   static_cast<int>(path.size()), slot.path.data(),
                                                   static_cast<int>(slot.path.size()) - 1);
            if (length <= 0) {
                slot.state.store(Free, std::memory_order_release);
                return;
            }
            slot.path[static_cast<std::size_t>(length)] = L'\0';
            slot.state.store(Armed, std::memory_order_release);
            slot_ = i;
            return;
        }
    }
}

void RemovedOnFault::Forget() {
    if (slot_ >= 0) {
        slots[slot_].state.store(Free, std::memory_order_release);
        slot_ = -1;
    }
}

void RemoveRegisteredFilesAfterFault() {
    // A file still open with delete sharing goes when the process's last handle closes.
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == Armed) {
            DeleteFileW(slot.path.data());
        }
    }
}
