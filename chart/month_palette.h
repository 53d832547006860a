// The colours of a logbook's months: twelve told apart by every reader, those with
// red-green colour blindness too, in the order of the year: blue winter, green spring,
// yellow and orange summer, red and purple autumn.
#pragma once

#include "chart/chart_drawing.h"

#include <string_view>

namespace chart {

// month 1 to 12; 0, a row without a date, is grey.
ChartInk MonthInk(int month);

// "януари" to "декември"; "без дата" for 0.
std::string_view MonthName(int month);

} // namespace chart
