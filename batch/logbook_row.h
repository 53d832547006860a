// One logbook row through the calculator's own checks and computation.
#pragma once

#include "batch/observation_time.h"
#include "batch/row_messages.h"
#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "calc/input_reading.h"
#include "chart/psychrometric_chart.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How a row's wet bulb is taken: as a bulb cell or --bulb says, or (Auto) as ice when it
// reads below 0 °C, the convention of ASHRAE-based psychrometric libraries.
enum class BulbChoice : std::uint8_t { Water, Ice, Auto };

WetBulbCover CoverOf(BulbChoice bulb, float wetBulb);

struct RowReadings {
    std::string_view pressureText; // pressure or altitude, in `unit`
    std::string_view dryBulbText;
    std::string_view wetBulbText;
    BarometerUnit unit = BarometerUnit::Hpa;
    PsychrometerType type = PsychrometerType::Aspirated;
    BulbChoice bulb = BulbChoice::Water;
    // The psychrometer's own A0 in place of its type's.
    std::optional<float> coefficient;
};

// Either the result texts or, for a row the calculator refuses, its message.
struct RowCells {
    std::array<std::string, 5> results; // F, RH, Td, E, е, as the calculator shows them
    std::array<std::string, 3> extras;  // r, q, h; filled only when asked for
    std::string error;
    // With thermometer corrections: Tdry and Twet as corrected, where the row had a reading
    // to correct.
    std::array<std::string, 2> corrected;
    // The wet bulb found for the row's relative humidity or dew point.
    std::string computedWetBulb;
    std::array<std::string, 2> synop; // groups 1snTTT and 2snTdTdTd; filled only when asked for
    // A computed row's reading in the model's units and what it gave, for the chart.
    chart::ChartReading reading;
    // When the row was observed, where the logbook has a date column and the row a date.
    std::optional<ObservationTime> observed;

    // Empties every cell but keeps the room the texts took: a logbook's rows are filled into
    // one RowCells after the other.
    void Clear();
};

// Into `cells`, which are empty.
void CalculateRow(const RowReadings& row, bool extended, MessageLanguage language, RowCells& cells);
