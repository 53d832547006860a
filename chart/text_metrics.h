// How much room a line of the chart's text takes, reckoned without the font at hand from
// the advance widths of Arial (and of Liberation Sans, which has the same): the layout,
// the label placement and their tests share these boxes.
#pragma once

#include "chart/pixel_geometry.h"

#include <cstdint>
#include <string_view>

namespace chart {

// Of a line of text, in ems: how far its box reaches above and below the baseline, and the
// distance from one baseline to the next.
inline constexpr double TextAscent = 0.76;
inline constexpr double TextDescent = 0.22;
inline constexpr double LineSpacing = 1.2;

// The width of a line of `size` pixels, a little more than any of the faces the chart's
// font list names takes, so that a text never reaches out of its box.
double EstimatedTextWidth(std::string_view text, double size, bool bold = false);

enum class TextAnchor : std::uint8_t { Start, Middle, End };

// The box of a line whose baseline passes through `at` where `anchor` says.
PixelBox TextBoxAt(PixelPoint at, TextAnchor anchor, double width, double size);

} // namespace chart
