#include "batch/process_guard.h"

#include "common/removed_on_fault.h"

#include <array>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> InterruptSignals{SIGINT, SIGTERM, SIGHUP};

// Read by the signal handler.
std::atomic<bool> progressLineOpen{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnInterrupt(int signal) {
    RemoveRegisteredFilesAfterFault();
    if (progressLineOpen.load()) {
        const ssize_t ignored = write(STDERR_FILENO, "\n", 1);
        (void)ignored;
    }
    // Ended by the signal itself: the shell then reports 128 + its number.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);
}

} // namespace

bool OpenClosedStandardStreams() {
    bool inputClosed = false;
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1) {
            continue;
        }
        inputClosed = inputClosed || descriptor == STDIN_FILENO;
        // open takes the lowest free number, which is this one.
        if (open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY) != descriptor) {
            _exit(1);
        }
    }
    return inputClosed;
}

void InstallInterruptHandlers() {
    std::signal(SIGXFSZ, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : InterruptSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (const int signal : InterruptSignals) {
        struct sigaction earlier {};
        // A signal ignored by whoever started the program (nohup) stays ignored.
        if (sigaction(signal, nullptr, &earlier) == 0 && earlier.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}

void SetProgressLineOpen(bool open) {
    progressLineOpen.store(open);
}
