// The program-wide state of one run, passed to whatever needs it.
#pragma once

#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "calc/input_reading.h"
#include "calc/input_state.h"
#include "ui/calculate_command.h"
#include "ui/main_window_layout.h"

#include <optional>

struct ProgramState {
    InputState input;
    BarometerUnit barometerUnit = BarometerUnit::Hpa;
    PsychrometerType psychrometerType = PsychrometerType::Aspirated;
    WetBulbCover wetBulbCover = WetBulbCover::Water;
    bool quitRequested = false;
    int currentPage = 0;      // image id Save and Print act on, 0 = none
    LayoutBasis layout;       // of the main window's present inner size
    double layoutScale = 1.0; // the display scale the layout's fonts were loaded at
    int keptGadgetTarget = 0; // the target that was current before the last rebuild
    // What the chart shows; kept through Clear, which empties only the fields.
    std::optional<AcceptedCalculation> lastCalculation;
};
