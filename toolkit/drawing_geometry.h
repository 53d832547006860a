// The arithmetic both backends share when they draw a picture, so that a chart comes out
// alike on either: where a text's baseline starts, and the pixels' layout.
#pragma once

#include "toolkit/toolkit.h"

#include <cstdint>

namespace toolkit {

// Where the baseline of a text starts relative to its anchor point, for a box width wide
// with the font's ascent and descent.
Point BaselineStart(unsigned anchor, double width, double ascent, double descent);

// The picture store's layout of rows of 0x..RRGGBB pixels given top row first, each row
// stride pixels apart.
PixelBuffer BufferFromTopDownRgb32(const std::uint32_t* topRow, int width, int height, int stride);

} // namespace toolkit
