// The main window, built in two stages.
#pragma once

#include "ui/program_state.h"

// Stage one, once: opens the main window, measures it, shows the logo, attaches the menus.
void BuildMainWindowFrame(ProgramState& state);

// Stage two, at start-up and on every Clear: controls, fonts, status bar, timer, and the
// selections back to hPa, the aspirated psychrometer and a wet bulb without ice.
void BuildMainWindowContents(ProgramState& state);

// After the window changed size: every control moves to its place for the new inner size
// and the fonts take their sizes for it; texts, selections and the focus stay.
void FitMainWindowContents(ProgramState& state);

// The logo, created anew at its place in the layout (and zoomed with it).
void ShowLogo(const LayoutBasis& layout);
