// Installing the trap takes over the fault signals and removing it gives back exactly
// what was in force before.
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"

#include <array>
#include <csignal>
#include <gtest/gtest.h>
#include <string>

namespace {

void EarlierHandler(int) {}

struct sigaction CurrentAction(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action;
}

constexpr std::array<int, 6> faultSignals{SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT};

TEST(FatalErrorTrap, InstallTakesOverEveryFaultSignalAndRemoveGivesThemBack) {
    struct sigaction earlier {};
    earlier.sa_handler = EarlierHandler;
    sigemptyset(&earlier.sa_mask);
    ASSERT_EQ(sigaction(SIGFPE, &earlier, nullptr), 0);
    const struct sigaction segvBefore = CurrentAction(SIGSEGV);

    ASSERT_TRUE(InstallFatalErrorTrap());
    EXPECT_TRUE(FatalErrorTrapInstalled());
    EXPECT_EQ(std::string(FaultLocationText(CurrentFaultLocation())), "Main");
    for (const int signal : faultSignals) {
        const struct sigaction now = CurrentAction(signal);
        EXPECT_TRUE(now.sa_flags & SA_SIGINFO) << signal;
        EXPECT_TRUE(now.sa_flags & SA_ONSTACK) << signal;
    }
    stack_t alternate{};
    ASSERT_EQ(sigaltstack(nullptr, &alternate), 0);
    EXPECT_FALSE(alternate.ss_flags & SS_DISABLE);
    EXPECT_GE(alternate.ss_size, 64u * 1024);

    // A second install keeps the first one's memory of the earlier handlers.
    ASSERT_TRUE(InstallFatalErrorTrap());

    RemoveFatalErrorTrap();
    EXPECT_FALSE(FatalErrorTrapInstalled());
    EXPECT_EQ(CurrentAction(SIGFPE).sa_handler, &EarlierHandler);
    EXPECT_EQ(CurrentAction(SIGSEGV).sa_handler, segvBefore.sa_handler);
    ASSERT_EQ(sigaltstack(nullptr, &alternate), 0);
    EXPECT_TRUE(alternate.ss_flags & SS_DISABLE);

    // Removing again changes nothing.
    RemoveFatalErrorTrap();
    EXPECT_EQ(CurrentAction(SIGFPE).sa_handler, &EarlierHandler);
    signal(SIGFPE, SIG_DFL);
}

TEST(FatalErrorTrap, OrdinaryCommandLineIsNotAReport) {
    std::array<char*, 3> arguments{const_cast<char*>("zorvel"), const_cast<char*>("x"), nullptr};
    EXPECT_EQ(RunFatalReportIfAsked(1, arguments.data()), -1);
    EXPECT_EQ(RunFatalReportIfAsked(2, arguments.data()), -1);
}

} // namespace
