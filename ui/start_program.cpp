#include "ui/start_program.h"

#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"
#include "lifecycle/running_mark.h"
#include "lifecycle/shutdown.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"
#include "ui/event_loop.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "zorvel_version.h"

#include <cstdio>

int StartProgram(int argc, char** argv) {
    // Before anything can hold a file of the installation open; held until the process
    // ends (ShutDown does not return, and the system closes it then).
    const RunningMark running(zorvel::RunningMarkName);
    // The trap reports from a process of its own, so it needs no toolkit, and it is in
    // force before the graphics check's thread can fault.
    InstallFatalErrorTrap();
    SetFaultLocation(FaultLocation::Main);
    // Loading the graphics runtime takes longer than starting the toolkit and building the
    // window together; begun first, it has the most of them to run beside.
    GraphicsCheckInBackground graphicsCheck;
    if (!toolkit::InitToolkit(argc, argv)) {
        // Waiting for events that can never come would look like a hang. Said in the
        // program's language, and in English for whoever reads a log in another.
        std::fputs("zorvel: не може да се отвори графичен дисплей\n"
                   "zorvel: cannot open a display\n",
                   stderr);
        RemoveFatalErrorTrap();
        return 1;
    }
    toolkit::SetApplicationData(zorvel::ApplicationName, zorvel::FileVersion, "zorvel");

    ProgramState state;

    // The JPEG decoder and encoder are linked into the picture store: nothing to register.

    OpenMainWindow(state, graphicsCheck);
    // Decoding the icon takes as long as a good part of the window's own start, so it
    // comes once the window is on the screen; the desktop shows it a moment later.
    const auto icon = ProgramIconFile();
    toolkit::SetProgramIcon(icon.data(), icon.size());

    RunEventLoop(state);

    ShutDown(ShutDownSteps{.releaseImages = ReleaseAllImages});
}
