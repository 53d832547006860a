// The t axis a user fixes for a logbook's chart: --chart-range TMIN:TMAX.
#pragma once

#include "chart/chart_description.h"

#include <optional>
#include <string_view>

// Two temperatures in °C, the lower first, with '.' or ',' as the decimal mark: "-10:35",
// "-2,5:12,5". Anything else, a range narrower than a degree or reaching past ±100 °C is
// refused.
std::optional<chart::ChartRange> ParseChartRange(std::string_view text);
