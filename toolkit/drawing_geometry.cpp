#include "toolkit/drawing_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace toolkit {
namespace {

// On and off lengths in pen widths; a hair-thin pen dashes as a one-pixel one does.
std::array<double, 2> Pattern(LineStyle style, double width) {
    const double unit = std::max(width, 1.0);
    if (style == LineStyle::Dotted) {
        return {1.5 * unit, 2.5 * unit};
    }
    return {6.0 * unit, 4.0 * unit};
}

Point Along(Point from, Point to, double fraction) {
    return {from.x + (to.x - from.x) * fraction, from.y + (to.y - from.y) * fraction};
}

} // namespace

std::vector<std::vector<Point>> SolidPieces(std::span<const Point> points, LineStyle style,
                                            double width) {
    std::vector<std::vector<Point>> pieces;
    if (points.size() < 2) {
        return pieces;
    }
    if (style == LineStyle::Solid) {
        pieces.emplace_back(points.begin(), points.end());
        return pieces;
    }
    const std::array<double, 2> pattern = Pattern(style, width);
    bool on = true;
    double left = pattern[0]; // of the present dash or gap
    std::vector<Point> piece{points[0]};
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point from = points[i - 1];
        const Point to = points[i];
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        double done = 0;
        // Every dash or gap that ends inside this segment.
        while (length - done > left) {
            done += left;
            const Point edge = Along(from, to, done / length);
            if (on) {
                piece.push_back(edge);
                pieces.push_back(std::move(piece));
                piece.clear();
            } else {
                piece = {edge};
            }
            on = !on;
            left = pattern[on ? 0 : 1];
        }
        left -= length - done;
        if (on) {
            piece.push_back(to);
        }
    }
    if (on && piece.size() >= 2) {
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

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

Point TurnedToReadUpwards(Point offset) {
    // Along the text is up the picture, down its letters is to the right.
    return {offset.y, -offset.x};
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
