#include "lifecycle/fatal_error_trap.h"
#include "ui/start_program.h"

int main(int argc, char** argv) {
    // A copy of the program started by the fault trap only shows the fault's report.
    if (const int reportStatus = RunFatalReportIfAsked(argc, argv); reportStatus >= 0) {
        return reportStatus;
    }
    return StartProgram(argc, argv);
}
