// The chart of the calculator's last accepted calculation, with its title line in
// Bulgarian: what the window shows and the web page too.
#pragma once

#include "calc/calculate_press.h"
#include "calc/humidity_route.h"
#include "calc/standard_pressure.h"
#include "chart/chart_description.h"

#include <string>
#include <string_view>

namespace chart {

// The title of the chart before any calculation, at StandardPressure.
inline constexpr std::string_view EmptyChartTitle =
    "Психрометрична диаграма при нормално налягане P = 1013.25 hPa (още няма изчисление)";

// The two readings, the pressure in the unit the user gave it (the altitude and the pressure
// taken from it), the psychrometer's type and, when iced, the wet bulb's cover. The longest
// of them still fits the chart's width.
std::string ChartTitle(const AcceptedCalculation& calculation);

// The reading's chart with its title, or before any calculation (nullptr) the empty chart
// at standard pressure.
ChartDescription DescribeCalculation(const AcceptedCalculation* calculation);

} // namespace chart
