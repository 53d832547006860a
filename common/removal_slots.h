// The fixed slots behind RemovedOnFault, for the path's character type of a platform
// (posix/, windows/). A slot is filled by one writer and armed last, so that the fault
// handler, which may interrupt anything, only ever reads whole paths; it needs neither
// allocation nor a lock. Only RemovedOnFault and its test include this header.
#pragma once

#include <array>
#include <atomic>
#include <string_view>

template <class Char> class RemovalSlots {
  public:
    // The slot now holding path, -1 when path is empty, too long, holds a NUL or finds
    // every slot taken.
    int Arm(std::basic_string_view<Char> path) {
        if (path.empty() || path.size() >= PathRoom || path.find(Char{}) != path.npos) {
            return -1;
        }
        for (int i = 0; i < static_cast<int>(slots_.size()); ++i) {
            int expected = Free;
            Slot& slot = slots_[static_cast<std::size_t>(i)];
            if (slot.state.compare_exchange_strong(expected, Filling)) {
                path.copy(slot.path.data(), path.size());
                slot.path[path.size()] = Char{};
                slot.state.store(Armed, std::memory_order_release);
                return i;
            }
        }
        return -1;
    }

    void Disarm(int slot) {
        if (slot >= 0) {
            slots_[static_cast<std::size_t>(slot)].state.store(Free, std::memory_order_release);
        }
    }

    // Safe in a fault handler when remove is.
    template <class Remove> void RemoveArmed(Remove remove) {
        for (Slot& slot : slots_) {
            if (slot.state.load(std::memory_order_acquire) == Armed) {
                remove(slot.path.data());
            }
        }
    }

  private:
    static constexpr std::size_t PathRoom = 4096;
    enum SlotState : int { Free = 0, Filling = 1, Armed = 2 };
    struct Slot {
        std::atomic<int> state{Free};
        std::array<Char, PathRoom> path{};
    };
    static_assert(std::atomic<int>::is_always_lock_free);

    std::array<Slot, 4> slots_;
};
