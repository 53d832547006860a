// The axes of the chart: fitted to what they must show, with round ticks.
#pragma once

#include "chart/chart_description.h"

#include <optional>
#include <vector>

namespace chart {

// How an axis is fitted to the values it must show. Shares and margins are parts of the
// axis's length.
struct AxisFit {
    float minimumWidth = 1;
    // The values' span takes at least this much of the axis, unless that would make the
    // axis narrower than its minimum width.
    float lowestShare = 0;
    float preferredShare = 0.5f;
    // Room wanted below the lowest and above the highest value, for what is written there.
    float lowMargin = 0.1f;
    float highMargin = 0.1f;
    // The axis never starts below this (е is never negative), and starts there whenever
    // the lowest share allows it when `fromFloor` says so.
    std::optional<float> floor;
    bool fromFloor = false;
};

struct FittedAxis {
    ChartRange range;
    std::vector<float> ticks; // every 1, 2 or 5 × 10ⁿ, both ends among them
};

FittedAxis FitAxis(float lowest, float highest, const AxisFit& fit);

// Round ticks inside a range the user fixed, which need not start or end on one.
std::vector<float> RoundTicksWithin(ChartRange range);

// A reading's view: t from below the lower of Td and Twet (`t.low`) to above Tdry, е from 0
// or a round value below е to above E, the construction large in both.
ChartAxes ReadingAxes(ChartRange t, ChartRange e);

// A logbook's view around its readings' lowest and highest t and е.
ChartAxes LogbookAxes(ChartRange t, ChartRange e);

// A logbook's view with the t axis the user fixed, е from 0 to the saturation at its top.
ChartAxes FixedRangeAxes(ChartRange t, float saturationAtTop);

// The usual window, −30 to 50 °C in steps of 5 and е from 0 to the saturation at 50 °C.
ChartAxes UsualAxes(float saturationAtTop);

inline constexpr float UsualLowest = -30;
inline constexpr float UsualHighest = 50;

} // namespace chart
