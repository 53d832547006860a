// The start-up probe of the graphics stack: the display has a primary screen with a
// usable colour depth (15, 16, 24 or 32 bits).
#pragma once

#include <future>

// Colour depth of the primary screen in bits, 0 when there is none.
using ScreenDepthProbe = int (*)();

bool DepthIsUsable(int bitsPerPixel);

// True when the probe reports a usable primary screen. The default probe is the
// platform's (lifecycle/graphics_probe.h): on Windows the Direct3D 9 runtime with at least
// one display mode of the primary adapter, elsewhere the toolkit's primary screen (the
// toolkit must then be initialised).
bool GraphicsCheck(ScreenDepthProbe probe = nullptr);

// The start-up step: runs GraphicsCheck once and, when it fails, shows the box "Проблем!" /
// "На този компютър няма инсталиран DirectX 7! Моля, инсталирайте." and returns; start-up
// then goes on as after a successful check. Returns the check's result.
bool WarnWhenGraphicsUnusable(ScreenDepthProbe probe = nullptr);

// The same step in two halves, so that the main window can be built (off the screen)
// while the runtime loads: the check starts on a thread of its own, and FinishAndWarn
// waits for it and warns as WarnWhenGraphicsUnusable does. A probe that asks the toolkit
// (the default one off Windows) runs at FinishAndWarn on the caller's thread instead,
// the toolkit answering on that thread only.
class GraphicsCheckInBackground {
  public:
    // Left unfinished, it still waits for a check that is running, without a warning.
    explicit GraphicsCheckInBackground(ScreenDepthProbe probe = nullptr);

    // Once only. Returns the check's result.
    bool FinishAndWarn();

  private:
    std::future<bool> usable_;
};
