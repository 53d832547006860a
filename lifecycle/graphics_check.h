// The start-up probe of the graphics stack: the display has a primary screen with a
// usable colour depth (15, 16, 24 or 32 bits).
#pragma once

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
