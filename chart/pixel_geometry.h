// Points, boxes and segments in a picture's pixels, y down: what the layout and the label
// placement reckon with.
#pragma once

#include <span>
#include <vector>

namespace chart {

struct PixelPoint {
    double x = 0;
    double y = 0;
};

struct PixelBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    PixelPoint Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    PixelBox Grown(double by) const { return {left - by, top - by, right + by, bottom + by}; }
    // Boxes that only touch do not overlap.
    bool Overlaps(const PixelBox& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool Holds(const PixelBox& inner) const {
        return inner.left >= left && inner.right <= right && inner.top >= top &&
               inner.bottom <= bottom;
    }
    bool Holds(PixelPoint point) const {
        return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
    }
};

struct PixelSegment {
    PixelPoint from;
    PixelPoint to;
};

// Whether any part of the segment lies inside the box (not merely on its edge).
bool Crosses(const PixelSegment& segment, const PixelBox& box);

// Whether the two segments meet.
bool Intersect(const PixelSegment& a, const PixelSegment& b);

// How far the point lies from the box; 0 inside it.
double DistanceTo(const PixelBox& box, PixelPoint point);

// The point of the box's edge nearest to a point outside it.
PixelPoint NearestOnEdge(const PixelBox& box, PixelPoint point);

// The parts of a polyline inside the box, each a polyline of its own.
std::vector<std::vector<PixelPoint>> ClippedTo(std::span<const PixelPoint> line,
                                               const PixelBox& box);

// A polyline cut into dashes of `on` pixels with `off` between them, measured along it.
std::vector<std::vector<PixelPoint>> Dashed(std::span<const PixelPoint> line, double on,
                                            double off);

} // namespace chart
