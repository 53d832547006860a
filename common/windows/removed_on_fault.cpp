#include "common/removed_on_fault.h"
#include "common/removal_slots.h"

#include "common/windows/wide_text.h"

#include <utility>
#include <windows.h>

namespace {

// The global state the fault filter must read. Paths are kept in UTF-16, converted when
// registered: the filter then only hands them to DeleteFileW.
RemovalSlots<wchar_t> slots;

} // namespace

void RemovedOnFault::Register(std::string_view path) {
    Forget();
    if (common::IsUtf8(path)) {
        slot_ = slots.Arm(common::WideFromUtf8(path));
    }
}

void RemovedOnFault::Forget() {
    slots.Disarm(std::exchange(slot_, -1));
}

void RemoveRegisteredFilesAfterFault() {
    // A file still open with delete sharing goes when the process's last handle closes.
    slots.RemoveArmed([](const wchar_t* path) { DeleteFileW(path); });
}
