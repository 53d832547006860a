// One logbook row through the calculator's own checks and computation.
#pragma once

#include "batch/observation_time.h"
#include "batch/row_messages.h"
#include "calc/humidity_model.h"
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

struct RowReadings {
    std::string_view pressureText; // pressure or altitude, in `unit`
    std::string_view dryBulbText;
    std::string_view wetBulbText;
    BarometerUnit unit = BarometerUnit::Hpa;
    PsychrometerType type = PsychrometerType::Aspirated;
    BulbChoice bulb = BulbChoice::Water;
};

// Either the result texts or, for a row the calculator refuses, its message.
struct RowCells {
    std::array<std::string, 5> results; // F, RH, Td, E, е, as the calculator shows them
    std::array<std::string, 3> extras;  // r, q, h; filled only when asked for
    std::string error;
    // A computed row's reading in the model's units and what it gave, for the chart.
    chart::ChartReading reading;
    // When the row was observed, where the logbook has a date column and the row a date.
    std::optional<ObservationTime> observed;
};

RowCells CalculateRow(const RowReadings& row, bool extended, MessageLanguage language);
