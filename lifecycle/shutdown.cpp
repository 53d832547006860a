#include "lifecycle/shutdown.h"

#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/graphics_probe.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <cstdlib>

void ReleaseEverything(const ShutDownSteps& steps) {
    ReleaseGraphicsProbe();
    RemoveFatalErrorTrap();
    toolkit::CloseAllWindows();
    toolkit::ReleaseFonts();
    std::fflush(nullptr);
    if (steps.releaseImages) {
        steps.releaseImages();
    }
    toolkit::ShutDownToolkit();
}

void ShutDown(const ShutDownSteps& steps) {
    ReleaseEverything(steps);
    std::exit(0);
}
