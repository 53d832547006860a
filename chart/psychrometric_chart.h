// The psychrometric chart of the model: the curves at a pressure, a reading's construction
// on them, or a logbook's readings as points or counted cells.
#pragma once

#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "chart/chart_description.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace chart {

// A reading the model accepted, and what it gave.
struct ChartReading {
    float dryBulb = 0;  // °C
    float wetBulb = 0;  // °C
    float pressure = 0; // hPa
    PsychrometerType type = PsychrometerType::Aspirated;
    WetBulbCover cover = WetBulbCover::Water;
    HumidityResult result;
};

// The usual window, −30 to 50 °C, with the curves at `pressure` (hPa); no reading, no title.
ChartDescription DescribeEmptyChart(float pressure);

// The reading's construction in a view fitted to it, with its values, the curves over
// water and, below 0 °C, over ice, and an overview of where on the whole chart it lies.
ChartDescription DescribeReading(const ChartReading& reading);

// The readings, pressures and psychrometers in the title line.
std::string ReadingTitle(const ChartReading& reading);

// A count as Bulgarian writes it, the digits of a large one in groups of three: 12 345.
std::string GroupedDigits(std::uint64_t count);

// What a logbook's chart is drawn from, gathered while its rows went by.
struct LogbookSummary {
    std::uint64_t rows = 0; // computed rows
    float pressure = 0;     // the curves' pressure, the logbook's median
    ChartRange t;           // the lowest and highest Tdry of the rows
    ChartRange e;           // and of their е
    // Each row as a point while they are few, or the rows counted per cell.
    std::vector<LogbookPoint> points;
    std::vector<CountedCell> cells;
    // The t axis the user fixed.
    std::optional<ChartRange> fixedT;
    // The one row's whole reading, when there was exactly one.
    std::optional<ChartReading> only;
};

// The readings over the curves at the summary's pressure, in a view that fits them or the
// user's t range, with a caption that counts them; one row gets its reading's chart.
ChartDescription DescribeLogbook(LogbookSummary summary);

} // namespace chart
