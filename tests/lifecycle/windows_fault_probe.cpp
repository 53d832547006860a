// A small Windows program that installs the fault trap as Зорвел does and then faults on
// purpose in a loop turn, so that windows_trap_test can watch the trap from outside.
//
//   windows_fault_probe <access-violation|integer-divide|mid-save>
#include "common/replacement_file.h"
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
        std::fputs("usage: windows_fault_probe <access-violation|integer-divide|mid-save>\n",
                   stderr);
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
    } else if (fault == "mid-save") {
        // Half a page written to the temporary file of a save, then the fault.
        ReplacementFile page("page.jpg");
        if (!page.IsOpen() || std::fputs("half a page", page.Stream()) < 0 ||
            std::fflush(page.Stream()) != 0) {
            return 4;
        }
        *nowhere = 1;
    }
    return 2;
}
