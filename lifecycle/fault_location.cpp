#include "lifecycle/fault_location.h"

#include <atomic>

namespace {
// The one piece of global state the fault handler must read.
std::atomic<int> currentLocation{static_cast<int>(FaultLocation::None)};
static_assert(std::atomic<int>::is_always_lock_free);
} // namespace

void SetFaultLocation(FaultLocation location) {
    currentLocation.store(static_cast<int>(location), std::memory_order_relaxed);
}

FaultLocation CurrentFaultLocation() {
    return static_cast<FaultLocation>(currentLocation.load(std::memory_order_relaxed));
}

const char* FaultLocationText(FaultLocation location) {
    switch (location) {
    case FaultLocation::Main:
        return "Main";
    case FaultLocation::Auto:
        return "Auto";
    case FaultLocation::Child:
        return "Child";
    case FaultLocation::None:
        break;
    }
    return "";
}
