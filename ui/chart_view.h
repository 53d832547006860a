// The psychrometric chart in the page viewer, with the viewer's save and print buttons.
#pragma once

#include "ui/program_state.h"

// Draws the chart of the last accepted calculation (the empty chart before any) and opens
// it in the viewer as the page Save and Print act on.
void OpenChart(ProgramState& state);

// Draws the chart again for a new calculation when the viewer shows it.
void FollowCalculation(const ProgramState& state);
