// Fault texts and the signal each fault code comes from.
#include "lifecycle/fault_message.h"
#include "lifecycle/signal_fault_code.h"

#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

TEST(FaultMessage, KeepsTheProgramsOwnSpellingAndSpaces) {
    EXPECT_EQ(std::string(FaultMessage(0xC0000094)), "Division by zero ");
    EXPECT_EQ(std::string(FaultMessage(0xC0000091)), "Floating-point overflow (exponent to great)");
    EXPECT_EQ(std::string(FaultMessage(0xC0000093)),
              "Floating-point underflow (exponent too small)");
    EXPECT_EQ(std::string(FaultMessage(0xC0000025)),
              "Exception handler tried to continue after non-continuable exception");
}

TEST(FaultMessage, FindsTheFirstAndLastRowsOfTheTable) {
    EXPECT_EQ(std::string(FaultMessage(0xC0000005)), "Invalid memory access");
    EXPECT_EQ(std::string(FaultMessage(0xC00000FD)), "Stack overflow");
}

TEST(FaultMessage, CodesOutsideTheTableAreUnknown) {
    for (const std::uint32_t code : {0u, 1u, 0xC0000004u, 0xC00000FEu, 0xFFFFFFFFu}) {
        EXPECT_EQ(std::string(FaultMessage(code)), "Unknown error code") << std::hex << code;
    }
}

constexpr StackOverflowWindow noStack{};

std::string TextOf(int signal, int code, std::uintptr_t address = 0x1000,
                   const StackOverflowWindow& stack = noStack, std::uintptr_t sp = 0) {
    return FaultMessage(FaultCodeOfSignal({signal, code, address, sp}, stack));
}

TEST(FaultCodeOfSignal, FloatingPointSignalsFollowTheirKind) {
    EXPECT_EQ(TextOf(SIGFPE, FPE_INTDIV), "Division by zero ");
    EXPECT_EQ(TextOf(SIGFPE, FPE_INTOVF), "Integer overflow");
    EXPECT_EQ(TextOf(SIGFPE, FPE_FLTDIV), "Division by zero (floating-point)");
    EXPECT_EQ(TextOf(SIGFPE, FPE_FLTOVF), "Floating-point overflow (exponent to great)");
    EXPECT_EQ(TextOf(SIGFPE, FPE_FLTUND), "Floating-point underflow (exponent too small)");
    EXPECT_EQ(TextOf(SIGFPE, FPE_FLTRES), "Inexact floating-point result");
    EXPECT_EQ(TextOf(SIGFPE, FPE_FLTINV), "Invalid floating-point operation");
    // Sent by another process: no kind to go by.
    EXPECT_EQ(TextOf(SIGFPE, SI_USER), "Unknown error code");
}

TEST(FaultCodeOfSignal, InstructionBusAndTrapSignals) {
    EXPECT_EQ(TextOf(SIGILL, ILL_ILLOPC), "Illegal instruction");
    EXPECT_EQ(TextOf(SIGILL, ILL_ILLOPN), "Illegal instruction");
    EXPECT_EQ(TextOf(SIGILL, ILL_PRVOPC), "Privileged instruction");
    EXPECT_EQ(TextOf(SIGBUS, BUS_ADRALN), "Misaligned data access");
    EXPECT_EQ(TextOf(SIGBUS, BUS_ADRERR), "Memory page error");
    EXPECT_EQ(TextOf(SIGBUS, BUS_OBJERR), "Memory page error");
    EXPECT_EQ(TextOf(SIGTRAP, TRAP_BRKPT), "Debugger breakpoint reached");
    EXPECT_EQ(TextOf(SIGTRAP, SI_KERNEL), "Debugger breakpoint reached");
    EXPECT_EQ(TextOf(SIGTRAP, TRAP_TRACE), "Single step trap");
    EXPECT_EQ(TextOf(SIGABRT, SI_TKILL), "Unknown error code");
}

TEST(FaultCodeOfSignal, SegmentationFaultBelowTheMainStackIsAStackOverflow) {
    const std::uintptr_t top = 0x7ffff0000000;
    const StackOverflowWindow stack = OverflowWindowFor(top, 8u << 20);
    // Just past the 8 MiB limit, inside the kernel's guard gap.
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, top - (8u << 20) - 100, stack), "Stack overflow");
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_ACCERR, top - (8u << 20) - 4096, stack), "Stack overflow");
    // A stray pointer well away from the stack is an ordinary invalid access.
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, 0, stack), "Invalid memory access");
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, top - (64u << 20), stack), "Invalid memory access");
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, top, stack), "Invalid memory access");
    // kill -SEGV carries no faulting address, whatever the field happens to hold.
    EXPECT_EQ(TextOf(SIGSEGV, SI_USER, top - (8u << 20) - 100, stack), "Invalid memory access");
}

TEST(FaultCodeOfSignal, FaultNextToAnotherThreadsStackPointerIsAStackOverflow) {
    const std::uintptr_t sp = 0x7f0000100000;
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, sp - 8, noStack, sp), "Stack overflow");
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, sp - (1u << 20), noStack, sp), "Invalid memory access");
    EXPECT_EQ(TextOf(SIGSEGV, SEGV_MAPERR, 16, noStack, sp), "Invalid memory access");
}

TEST(OverflowWindow, CoversTheStackDownToItsLimitAndTheGuardGap) {
    const StackOverflowWindow window = OverflowWindowFor(0x7fff00000000, 8u << 20);
    EXPECT_EQ(window.highest, 0x7fff00000000u);
    EXPECT_LE(window.lowest, 0x7fff00000000u - (8u << 20) - (1u << 20));
    EXPECT_GT(window.lowest, 0x7fff00000000u - (16u << 20));
    // Unknown top: nothing counts as the main stack.
    const StackOverflowWindow unknown = OverflowWindowFor(0, 8u << 20);
    EXPECT_FALSE(unknown.Holds(0));
    EXPECT_FALSE(unknown.Holds(0x1000));
    // An unlimited stack still has a bounded window, and a low top does not wrap around.
    const StackOverflowWindow unlimited = OverflowWindowFor(0x7fff00000000, 0);
    EXPECT_LT(unlimited.highest - unlimited.lowest, std::uintptr_t{4} << 30);
    EXPECT_EQ(OverflowWindowFor(0x10000, 8u << 20).lowest, 0u);
}

TEST(OverflowWindow, MainThreadWindowHoldsThisStackButNotTheHeap) {
    const StackOverflowWindow window = MainThreadOverflowWindow();
    int local = 0;
    const auto heap = std::make_unique<int>(0);
    EXPECT_TRUE(window.Holds(reinterpret_cast<std::uintptr_t>(&local)));
    EXPECT_FALSE(window.Holds(reinterpret_cast<std::uintptr_t>(heap.get())));
}

} // namespace
