#include "lifecycle/graphics_check.h"

#include "lifecycle/graphics_probe.h"
#include "toolkit/toolkit.h"

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
    const bool usable = GraphicsCheck(probe);
    if (!usable) {
        // The wording names the runtime the program was first written for; users know it.
        toolkit::MessageBox("Проблем!",
                            "На този компютър няма инсталиран DirectX 7! Моля, инсталирайте.", 0);
    }
    return usable;
}
