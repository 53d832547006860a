// The trap's POSIX handlers: the fault signals on an alternate stack.
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/error_log.h"
#include "lifecycle/fault_message.h"
#include "lifecycle/signal_fault_code.h"
#include "lifecycle/trap_steps.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <string_view>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 6> trappedSignals{SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT};
// SIGSTKSZ is far too small for the handler's path and entry buffers.
constexpr std::size_t alternateStackSize = 64 * 1024;

// The state the handler must read lives here, set up once by InstallFatalErrorTrap.
struct TrapState {
    std::array<struct sigaction, trappedSignals.size()> earlierActions{};
    stack_t earlierStack{};
    StackOverflowWindow mainStack;
    std::atomic<long> utcOffset{0};
    std::atomic_flag reporting = ATOMIC_FLAG_INIT;
    alignas(16) std::array<std::byte, alternateStackSize> alternateStack{};
};
TrapState trap;

std::uintptr_t StackPointerOf(const void* context) {
    const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    return static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[REG_RSP]);
#elif defined(__aarch64__)
    return static_cast<std::uintptr_t>(uc->uc_mcontext.sp);
#else
    (void)uc;
    return 0;
#endif
}

void WriteToStderr(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OnFault(int signal, siginfo_t* info, void* context) {
    if (trap.reporting.test_and_set()) {
        // Another thread faulted first; its report ends the process.
        for (;;) {
            pause();
        }
    }
    const SignalFacts facts{signal, info->si_code, reinterpret_cast<std::uintptr_t>(info->si_addr),
                            StackPointerOf(context)};
    ReportTrappedFault(FaultMessage(FaultCodeOfSignal(facts, trap.mainStack)),
                       LocalDateWithOffset(trap.utcOffset.load(std::memory_order_relaxed)));
    // A trapped fault is a failure, and the exit status says so.
    _exit(1);
}

void RestoreEarlierActions(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        sigaction(trappedSignals[i], &trap.earlierActions[i], nullptr);
    }
}

} // namespace

void ShowReportBox(const char* message, const char* location) {
    char* const arguments[] = {const_cast<char*>("zorvel"), const_cast<char*>(FatalReportMarker),
                               const_cast<char*>(message), const_cast<char*>(location), nullptr};
    const pid_t child = _Fork();
    if (child == 0) {
        // The handler's blocked signals would otherwise stay blocked across exec.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        execve("/proc/self/exe", arguments, environ);
        WriteToStderr(ReportBoxText(message, location).View());
        _exit(127);
    }
    if (child > 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

bool TakeOverFaults() {
    // A write past the file-size limit then fails with EFBIG and is reported like any
    // other failed write, instead of ending the program. It stays so after the trap is
    // removed: the last flush of the shutdown may meet the limit too.
    std::signal(SIGXFSZ, SIG_IGN);
    trap.mainStack = MainThreadOverflowWindow();
    trap.utcOffset.store(CurrentUtcOffset(), std::memory_order_relaxed);

    stack_t stack{};
    stack.ss_sp = trap.alternateStack.data();
    stack.ss_size = trap.alternateStack.size();
    if (sigaltstack(&stack, &trap.earlierStack) != 0) {
        return false;
    }
    struct sigaction action {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : trappedSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (std::size_t i = 0; i < trappedSignals.size(); ++i) {
        if (sigaction(trappedSignals[i], &action, &trap.earlierActions[i]) != 0) {
            RestoreEarlierActions(i);
            sigaltstack(&trap.earlierStack, nullptr);
            return false;
        }
    }
    return true;
}

void GiveBackFaults() {
    RestoreEarlierActions(trappedSignals.size());
    sigaltstack(&trap.earlierStack, nullptr);
}

void RefreshFatalErrorTrapClock() {
    trap.utcOffset.store(CurrentUtcOffset(), std::memory_order_relaxed);
}
