#include "toolkit/drawing_geometry.h"

#include <cstddef>

namespace toolkit {

Point BaselineStart(unsigned anchor, double width, double ascent, double descent) {
    Point start;
    if ((anchor & AnchorRight) != 0) {
        start.x = -width;
    } else if ((anchor & AnchorCentre) != 0) {
        start.x = -width / 2;
    }
    if ((anchor & AnchorBaseline) == AnchorBaseline) {
        start.y = 0;
    } else if ((anchor & AnchorBottom) != 0) {
        start.y = -descent;
    } else if ((anchor & AnchorMiddle) != 0) {
        start.y = (ascent - descent) / 2;
    } else {
        start.y = ascent;
    }
    return start;
}

PixelBuffer BufferFromTopDownRgb32(const std::uint32_t* topRow, int width, int height, int stride) {
    PixelBuffer buffer;
    if (topRow == nullptr || width <= 0 || height <= 0) {
        return buffer;
    }
    buffer.width = width;
    buffer.height = height;
    buffer.rowSize = (width * 3 + 3) / 4 * 4;
    buffer.bottomUpBgr.assign(static_cast<std::size_t>(buffer.rowSize) * height, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = topRow + static_cast<std::ptrdiff_t>(y) * stride;
        unsigned char* target = buffer.bottomUpBgr.data() +
                                static_cast<std::ptrdiff_t>(height - 1 - y) * buffer.rowSize;
        for (int x = 0; x < width; ++x, target += 3) {
            const std::uint32_t pixel = source[x];
            target[0] = static_cast<unsigned char>(pixel);
            target[1] = static_cast<unsigned char>(pixel >> 8);
            target[2] = static_cast<unsigned char>(pixel >> 16);
        }
    }
    return buffer;
}

} // namespace toolkit
