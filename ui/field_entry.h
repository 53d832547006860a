// Emptying an input field when the user enters it for the first time after a result.
#pragma once

#include "calc/input_state.h"

// Run once every loop turn: empties the focused input field if it was not emptied since
// the last successful calculation.
void EmptyFieldOnEntry(InputState& state);
