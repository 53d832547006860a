// A small Windows program that installs the fault trap as Зорвел does and then faults on
// purpose in a loop turn, so that windows_trap_test can watch the trap from outside.
//
//   windows_fault_probe <access-violation|integer-divide>
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"
#include "tests/support/message_box_hook.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <string>

namespace {

// Keeps the compiler from seeing through the faulting operations.
volatile int zero = 0;
volatile int one = 1;
volatile int* volatile nowhere = nullptr;

} // namespace

int main(int argc, char** argv) {
    UseMessageBoxLogFromEnvironment();
    if (const int status = RunFatalReportIfAsked(argc, argv); status >= 0) {
        return status;
    }
    if (argc != 2) {
        std::fputs("usage: windows_fault_probe <access-violation|integer-divide>\n", stderr);
        return 2;
    }
    int toolkitArgc = 1;
    if (!toolkit::InitToolkit(toolkitArgc, argv) || !InstallFatalErrorTrap()) {
        return 3;
    }
    SetFaultLocation(FaultLocation::Auto);
    const std::string fault = argv[1];
    if (fault == "access-violation") {
        *nowhere = 1;
    } else if (fault == "integer-divide") {
        std::printf("%d\n", one / zero);
    }
    return 2;
}
