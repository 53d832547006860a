// Maps a trapped signal onto the fault code it is reported by.
#pragma once

#include <cstdint>

// The addresses below the main thread's stack that a stack overflow touches: from the
// lowest address the stack may grow to, minus the kernel's guard gap, up to the stack's
// top. Empty (lowest == highest) when the bounds are unknown.
struct StackOverflowWindow {
    std::uintptr_t lowest = 0;
    std::uintptr_t highest = 0;

    bool Holds(std::uintptr_t address) const { return address >= lowest && address < highest; }
};

// stackTop: the high end of the main thread's stack mapping; sizeLimit: its RLIMIT_STACK
// (0 or a huge value when unlimited).
StackOverflowWindow OverflowWindowFor(std::uintptr_t stackTop, std::uint64_t sizeLimit);

// Reads the main thread's stack top from /proc/self/maps and its limit from getrlimit.
// Call from the main thread at install time (it allocates).
StackOverflowWindow MainThreadOverflowWindow();

// What the handler knows of one signal: its number, si_code, the faulting address
// (si_addr) and the stack pointer at the fault (0 when unknown).
struct SignalFacts {
    int signal = 0;
    int code = 0;
    std::uintptr_t address = 0;
    std::uintptr_t stackPointer = 0;
};

// The fault code of a signal; FaultCode::Unknown when it has none. Safe in a handler.
std::uint32_t FaultCodeOfSignal(const SignalFacts& facts, const StackOverflowWindow& mainStack);
