// Starts the calculator the way zorvel does, step by step, and prints the machine's
// monotonic clock at main and after each step (s) with the step's processor time (ms),
// then ends. The benchmark puts these beside the moment it saw the window mapped.
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"
#include "toolkit/toolkit.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/program_state.h"
#include "zorvel_version.h"

#include <cstdio>
#include <ctime>

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One line per step: "name end-s cpu-ms".
class StepClock {
  public:
    void Step(const char* name) {
        const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
        std::printf("%s %.6f %.3f\n", name, Seconds(CLOCK_MONOTONIC), (cpu - cpu_) * 1e3);
        cpu_ = cpu;
    }

  private:
    double cpu_ = 0; // the first step counts from the start of the process
};

} // namespace

int main(int argc, char** argv) {
    StepClock clock;
    // Loading the program and its libraries, up to here.
    clock.Step("main");
    InstallFatalErrorTrap();
    SetFaultLocation(FaultLocation::Main);
    GraphicsCheckInBackground graphicsCheck;
    clock.Step("trap");
    if (!toolkit::InitToolkit(argc, argv)) {
        return 1;
    }
    clock.Step("toolkit");
    toolkit::SetApplicationData(zorvel::ApplicationName, zorvel::FileVersion, "zorvel");
    ProgramState state;
    // Both stages off the screen with the graphics check beside them, then shown.
    OpenMainWindow(state, graphicsCheck);
    clock.Step("window");
    const auto icon = ProgramIconFile();
    toolkit::SetProgramIcon(icon.data(), icon.size());
    clock.Step("icon");
    std::fflush(stdout);
    toolkit::CloseAllWindows();
    toolkit::ShutDownToolkit();
    RemoveFatalErrorTrap();
    return 0;
}
