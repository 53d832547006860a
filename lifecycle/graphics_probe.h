// The platform's own probe of the graphics stack behind GraphicsCheck (one file per
// platform): on Windows the Direct3D 9 runtime, elsewhere the toolkit's primary screen.
#pragma once

// Colour depth in bits of the primary screen as the probe finds it, 0 when unusable.
int DefaultScreenDepth();

// Whether DefaultScreenDepth may run on a thread other than the toolkit's: the Direct3D
// runtime may, Qt's screens may not.
bool DefaultProbeRunsOnAnyThread();

// Releases what the probe keeps (the Direct3D interface is held until the end).
void ReleaseGraphicsProbe();
