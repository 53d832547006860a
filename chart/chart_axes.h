// The axes of the chart: the usual window, grown to take in what it must show.
#pragma once

#include "chart/chart_description.h"

#include <span>

namespace chart {

// t from −30 to 50 °C in steps of 5, е from 0 to the saturation pressure at the top of t,
// in round steps; the t axis reaches further down for a point left of −30 °C (a dew point
// of very dry air), and the е axis higher for a point above it. Points that are not
// finite numbers are not taken in.
ChartAxes AxesTakingIn(std::span<const ChartPoint> points, float saturationAtTop);

} // namespace chart
