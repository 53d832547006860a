// The arithmetic both backends share when they draw a picture, so that a chart comes out
// alike on either: where dashes fall, where a text's baseline starts, and the pixels'
// layout.
#pragma once

#include "toolkit/toolkit.h"

#include <cstdint>
#include <span>
#include <vector>

namespace toolkit {

// The solid pieces of a line drawn in style with a pen width wide: the whole line for
// Solid, otherwise its dashes or dots, each a polyline that follows the corners.
std::vector<std::vector<Point>> SolidPieces(std::span<const Point> points, LineStyle style,
                                            double width);

// Where the baseline of a text starts relative to its anchor point, in the text's own
// frame (x along the text, y down its letters), for a box width wide with the font's
// ascent and descent.
Point BaselineStart(unsigned anchor, double width, double ascent, double descent);

// The same offset on the picture once the text is turned to read upwards.
Point TurnedToReadUpwards(Point offset);

// The picture store's layout of rows of 0x..RRGGBB pixels given top row first, each row
// stride pixels apart.
PixelBuffer BufferFromTopDownRgb32(const std::uint32_t* topRow, int width, int height, int stride);

} // namespace toolkit
