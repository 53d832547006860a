// The main window, built in two stages.
#pragma once

#include "lifecycle/graphics_check.h"
#include "ui/program_state.h"

// Stage one, once: opens the main window, measures it, shows the logo, attaches the menus.
// OffScreen leaves the window off the screen until ShowMainWindow.
enum class FrameShowing { AtOnce, OffScreen };
void BuildMainWindowFrame(ProgramState& state, FrameShowing showing = FrameShowing::AtOnce);

// Stage two, at start-up and on every Clear: controls, fonts, status bar, timer, and the
// selections back to hPa, the aspirated psychrometer and a wet bulb without ice.
void BuildMainWindowContents(ProgramState& state);

// Start-up's way to the window: both stages built off the screen while the graphics check,
// begun by the caller, runs on a thread of its own; then the check's warning when it
// failed, and only then the window on the screen, laid out for the size it takes there and
// active. The user sees what a check before the window would show, in the same order,
// sooner.
void OpenMainWindow(ProgramState& state, GraphicsCheckInBackground& graphicsCheck);

// After the window changed size: every control moves to its place for the new inner size
// and the fonts take their sizes for it; texts, selections and the focus stay.
void FitMainWindowContents(ProgramState& state);

// The logo, created anew at its place in the layout (and zoomed with it).
void ShowLogo(const LayoutBasis& layout);
