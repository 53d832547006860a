// The Calculate command: read, check, compute and show.
#pragma once

#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "calc/input_reading.h"
#include "calc/input_state.h"

#include <optional>

// A press that went as far as showing results, with what it showed and how it was asked.
struct AcceptedCalculation {
    InputReadings readings;
    HumidityResult result;
    BarometerUnit unit = BarometerUnit::Hpa;
    PsychrometerType type = PsychrometerType::Aspirated;
    WetBulbCover cover = WetBulbCover::Water;
};

// The calculation when the press went as far as showing results, nothing otherwise.
std::optional<AcceptedCalculation> CalculatePressed(InputState& state, BarometerUnit unit,
                                                    PsychrometerType type,
                                                    WetBulbCover cover = WetBulbCover::Water);

// Writes the inputs back (with unit texts where a field's press count is exactly 1) and
// the five results into the output fields, and marks the results current.
void PresentResults(InputState& state, const InputReadings& readings, const HumidityResult& result,
                    BarometerUnit unit);
