// The psychrometric chart of the model: the curves at a pressure, a reading's construction
// on them, or a logbook's readings as points.
#pragma once

#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "chart/chart_description.h"

#include <cstddef>
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

// The axes, the saturation curve and the RH curves at `pressure` (hPa), with the ice curve
// below 0 °C when the wet bulb is iced; no reading, no title.
ChartDescription DescribeEmptyChart(float pressure, WetBulbCover cover);

// The same with the reading's point, its three lines and its values; the axes grow to
// take in a reading outside the usual window.
ChartDescription DescribeReading(const ChartReading& reading);

// A logbook's computed readings (Tdry, е) as points over the curves at `pressure`, the
// logbook's median, with a caption that counts them.
ChartDescription DescribeLogbook(std::vector<ChartPoint> points, float pressure);

} // namespace chart
