// A plain, non-owning view of a 24-bit picture as the picture store holds it, so that
// the toolkit can show and print pictures without knowing where they come from.
#pragma once

namespace common {

struct PixelView {
    int width = 0;
    int height = 0;
    int rowSize = 0;                            // bytes per row, a multiple of 4
    const unsigned char* bottomUpBgr = nullptr; // bottom row first, blue, green, red

    bool empty() const { return width <= 0 || height <= 0 || bottomUpBgr == nullptr; }
};

} // namespace common
