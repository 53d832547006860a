#include "lifecycle/signal_fault_code.h"

#include "lifecycle/fault_message.h"

#include <csignal>
#include <fstream>
#include <limits>
#include <string>
#include <sys/resource.h>

namespace {

// The kernel keeps a gap of 256 pages below a growing stack; a little more is allowed for
// frames that reach further than one page below the stack pointer.
constexpr std::uint64_t guardGap = (1u << 20) + (64u << 10);
// An unlimited stack is still taken to end somewhere: beyond this a fault near the stack
// is a stray pointer rather than an overflow.
constexpr std::uint64_t largestCountedStack = 1ull << 30;
// Around another thread's stack pointer, a fault is that thread's stack overflowing.
constexpr std::uintptr_t nearStackPointer = 64u << 10;

bool IsStackOverflow(const SignalFacts& facts, const StackOverflowWindow& mainStack) {
    // Only a fault the kernel raised has a meaningful address.
    if (facts.code != SEGV_MAPERR && facts.code != SEGV_ACCERR) {
        return false;
    }
    if (mainStack.Holds(facts.address)) {
        return true;
    }
    const std::uintptr_t sp = facts.stackPointer;
    return sp != 0 && facts.address + nearStackPointer >= sp &&
           facts.address < sp + nearStackPointer;
}

std::uint32_t FloatingPointCode(int code) {
    switch (code) {
    case FPE_INTDIV:
        return FaultCode::IntegerDivideByZero;
    case FPE_INTOVF:
        return FaultCode::IntegerOverflow;
    case FPE_FLTDIV:
        return FaultCode::FloatDivideByZero;
    case FPE_FLTOVF:
        return FaultCode::FloatOverflow;
    case FPE_FLTUND:
        return FaultCode::FloatUnderflow;
    case FPE_FLTRES:
        return FaultCode::FloatInexactResult;
    case FPE_FLTINV:
        return FaultCode::FloatInvalidOperation;
    case FPE_FLTSUB:
        return FaultCode::ArrayBoundsExceeded;
    default:
        return FaultCode::Unknown;
    }
}

} // namespace

StackOverflowWindow OverflowWindowFor(std::uintptr_t stackTop, std::uint64_t sizeLimit) {
    if (stackTop == 0) {
        return {};
    }
    if (sizeLimit == 0 || sizeLimit > largestCountedStack) {
        sizeLimit = largestCountedStack;
    }
    const std::uint64_t reach = sizeLimit + guardGap;
    const std::uintptr_t lowest = reach < stackTop ? stackTop - reach : 0;
    return {lowest, stackTop};
}

StackOverflowWindow MainThreadOverflowWindow() {
    std::uintptr_t stackTop = 0;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.ends_with("[stack]")) {
            const std::size_t dash = line.find('-');
            const std::size_t space = line.find(' ');
            if (dash != std::string::npos && space != std::string::npos && dash < space) {
                stackTop = std::stoull(line.substr(dash + 1, space - dash - 1), nullptr, 16);
            }
            break;
        }
    }
    rlimit limit{};
    std::uint64_t size = 0;
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        size = limit.rlim_cur;
    }
    return OverflowWindowFor(stackTop, size);
}

std::uint32_t FaultCodeOfSignal(const SignalFacts& facts, const StackOverflowWindow& mainStack) {
    switch (facts.signal) {
    case SIGSEGV:
        return IsStackOverflow(facts, mainStack) ? FaultCode::StackOverflow
                                                 : FaultCode::AccessViolation;
    case SIGFPE:
        return FloatingPointCode(facts.code);
    case SIGILL:
        return facts.code == ILL_PRVOPC ? FaultCode::PrivilegedInstruction
                                        : FaultCode::IllegalInstruction;
    case SIGBUS:
        return facts.code == BUS_ADRALN ? FaultCode::MisalignedData : FaultCode::InPageError;
    case SIGTRAP:
        return facts.code == TRAP_TRACE ? FaultCode::SingleStep : FaultCode::Breakpoint;
    default:
        return FaultCode::Unknown;
    }
}
