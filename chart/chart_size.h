// The chart's picture, in the window and in zorvel-batch's file alike: the size of a help
// page, so that it is shown, saved and printed as a page is. Its lengths are laid out for
// this height and scale with another.
#pragma once

namespace chart {

inline constexpr int ChartWidth = 1000;
inline constexpr int ChartHeight = 758;

} // namespace chart
