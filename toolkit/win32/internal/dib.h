// The program's pictures as device-independent bitmaps: the picture store's bottom-up
// B,G,R rows are already what GDI calls a 24-bit DIB.
#pragma once

#include "common/pixel_view.h"
#include "internal/handles.h"

namespace toolkit::win32 {

BITMAPINFO DibHeader(const common::PixelView& view);
// A copy of the picture, scaled smoothly to width x height when both are above 0;
// none for an empty view.
BitmapObject BitmapOf(const common::PixelView& view, int width = 0, int height = 0);

} // namespace toolkit::win32
