// The program's pictures as device-independent bitmaps. They go to GDI as 32-bit copies:
// GDI reads a 24-bit pixel as four bytes, one past the end of a picture whose last row
// ends at a page boundary.
#pragma once

#include "common/pixel_view.h"
#include "internal/handles.h"

#include <cstdint>
#include <vector>

namespace toolkit::win32 {

struct Dib {
    BITMAPINFO header{};
    std::vector<std::uint32_t> pixels; // bottom row first, 0x00RRGGBB
};

// A copy of the picture as a 32-bit DIB; no pixels for an empty view.
Dib DibOf(const common::PixelView& view);
// A copy of the picture, scaled smoothly to width x height when both are above 0;
// none for an empty view.
BitmapObject BitmapOf(const common::PixelView& view, int width = 0, int height = 0);

} // namespace toolkit::win32
