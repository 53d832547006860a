// The Calculate command on the main window: read the fields, press, show what it gave.
#pragma once

#include "calc/calculate_press.h"
#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "calc/input_reading.h"
#include "calc/input_state.h"

#include <optional>

// The calculation when the press went as far as showing results, nothing otherwise.
std::optional<AcceptedCalculation> CalculatePressed(InputState& state, BarometerUnit unit,
                                                    PsychrometerType type,
                                                    WetBulbCover cover = WetBulbCover::Water);
