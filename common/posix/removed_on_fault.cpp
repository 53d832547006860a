#include "common/removed_on_fault.h"
#include "common/removal_slots.h"

#include <unistd.h>
#include <utility>

namespace {

// The global state the fault handler must read.
RemovalSlots<char> slots;

} // namespace

void RemovedOnFault::Register(std::string_view path) {
    Forget();
    slot_ = slots.Arm(path);
}

void RemovedOnFault::Forget() {
    slots.Disarm(std::exchange(slot_, -1));
}

void RemoveRegisteredFilesAfterFault() {
    slots.RemoveArmed([](const char* path) { unlink(path); });
}
