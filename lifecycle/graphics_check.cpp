#include "lifecycle/graphics_check.h"

#include "lifecycle/graphics_probe.h"
#include "toolkit/toolkit.h"

namespace {

bool WarnUnless(bool usable) {
    if (!usable) {
        // The wording names the runtime the program was first written for; users know it.
        toolkit::MessageBox("Проблем!",
                            "На този компютър няма инсталиран DirectX 7! Моля, инсталирайте.", 0);
    }
    return usable;
}

} // namespace

bool DepthIsUsable(int bitsPerPixel) {
    return bitsPerPixel == 15 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

bool GraphicsCheck(ScreenDepthProbe probe) {
    if (probe == nullptr) {
        probe = DefaultScreenDepth;
    }
    return DepthIsUsable(probe());
}

bool WarnWhenGraphicsUnusable(ScreenDepthProbe probe) {
    return WarnUnless(GraphicsCheck(probe));
}

GraphicsCheckInBackground::GraphicsCheckInBackground(ScreenDepthProbe probe)
    : usable_(std::async(probe != nullptr || DefaultProbeRunsOnAnyThread() ? std::launch::async
                                                                           : std::launch::deferred,
                         GraphicsCheck, probe)) {}

bool GraphicsCheckInBackground::FinishAndWarn() {
    return WarnUnless(usable_.get());
}
