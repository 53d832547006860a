#include "chart/pixel_geometry.h"

#include <algorithm>
#include <cmath>

namespace chart {
namespace {

// Liang and Barsky: the part [enter, leave] of the segment's parameter inside the box, or
// enter > leave when none is.
struct Span {
    double enter = 0;
    double leave = 1;
};

Span InsideSpan(const PixelSegment& segment, const PixelBox& box) {
    const double dx = segment.to.x - segment.from.x;
    const double dy = segment.to.y - segment.from.y;
    Span span;
    const auto clip = [&span](double direction, double distance) {
        // distance: how far inside the edge the start lies, along the edge's normal.
        if (direction == 0) {
            if (distance < 0) {
                span = {1, 0};
            }
            return;
        }
        const double at = distance / direction;
        if (direction < 0) {
            span.enter = std::max(span.enter, at);
        } else {
            span.leave = std::min(span.leave, at);
        }
    };
    clip(-dx, segment.from.x - box.left);
    clip(dx, box.right - segment.from.x);
    clip(-dy, segment.from.y - box.top);
    clip(dy, box.bottom - segment.from.y);
    return span;
}

PixelPoint Along(const PixelSegment& segment, double share) {
    return {segment.from.x + share * (segment.to.x - segment.from.x),
            segment.from.y + share * (segment.to.y - segment.from.y)};
}

double Length(PixelPoint a, PixelPoint b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

} // namespace

bool Crosses(const PixelSegment& segment, const PixelBox& box) {
    const Span span = InsideSpan(segment, box);
    if (span.enter >= span.leave) {
        return false;
    }
    // A segment that runs along an edge only touches the box.
    const PixelPoint middle = Along(segment, (span.enter + span.leave) / 2);
    return middle.x > box.left && middle.x < box.right && middle.y > box.top &&
           middle.y < box.bottom;
}

bool Intersect(const PixelSegment& a, const PixelSegment& b) {
    const auto side = [](PixelPoint from, PixelPoint to, PixelPoint point) {
        const double cross =
            (to.x - from.x) * (point.y - from.y) - (to.y - from.y) * (point.x - from.x);
        return (cross > 0) - (cross < 0);
    };
    const int a1 = side(a.from, a.to, b.from);
    const int a2 = side(a.from, a.to, b.to);
    const int b1 = side(b.from, b.to, a.from);
    const int b2 = side(b.from, b.to, a.to);
    if (a1 != a2 && b1 != b2) {
        return true;
    }
    // On one line: they meet where their extents along it overlap.
    if (a1 == 0 && a2 == 0) {
        const auto within = [](double v, double p, double q) {
            return v >= std::min(p, q) && v <= std::max(p, q);
        };
        return (within(b.from.x, a.from.x, a.to.x) && within(b.from.y, a.from.y, a.to.y)) ||
               (within(b.to.x, a.from.x, a.to.x) && within(b.to.y, a.from.y, a.to.y)) ||
               (within(a.from.x, b.from.x, b.to.x) && within(a.from.y, b.from.y, b.to.y));
    }
    return false;
}

double DistanceTo(const PixelBox& box, PixelPoint point) {
    const double dx = std::max({box.left - point.x, 0.0, point.x - box.right});
    const double dy = std::max({box.top - point.y, 0.0, point.y - box.bottom});
    return std::hypot(dx, dy);
}

PixelPoint NearestOnEdge(const PixelBox& box, PixelPoint point) {
    return {std::clamp(point.x, box.left, box.right), std::clamp(point.y, box.top, box.bottom)};
}

std::vector<std::vector<PixelPoint>> ClippedTo(std::span<const PixelPoint> line,
                                               const PixelBox& box) {
    std::vector<std::vector<PixelPoint>> pieces;
    std::vector<PixelPoint> piece;
    for (std::size_t at = 1; at < line.size(); ++at) {
        const PixelSegment segment{line[at - 1], line[at]};
        const Span span = InsideSpan(segment, box);
        if (span.enter >= span.leave) {
            continue;
        }
        const PixelPoint enter = Along(segment, span.enter);
        if (piece.empty() || span.enter > 0) {
            if (piece.size() > 1) {
                pieces.push_back(std::move(piece));
            }
            piece = {enter};
        }
        piece.push_back(Along(segment, span.leave));
        if (span.leave < 1 && piece.size() > 1) {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (piece.size() > 1) {
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

std::vector<std::vector<PixelPoint>> Dashed(std::span<const PixelPoint> line, double on,
                                            double off) {
    std::vector<std::vector<PixelPoint>> dashes;
    std::vector<PixelPoint> dash;
    bool drawing = true;
    double left = on; // of the dash or gap under way
    for (std::size_t at = 1; at < line.size(); ++at) {
        PixelPoint from = line[at - 1];
        const PixelPoint to = line[at];
        double length = Length(from, to);
        if (drawing && dash.empty()) {
            dash.push_back(from);
        }
        while (length > left) {
            const PixelPoint cut = Along({from, to}, left / length);
            if (drawing) {
                dash.push_back(cut);
                dashes.push_back(std::move(dash));
                dash.clear();
            } else {
                dash = {cut};
            }
            drawing = !drawing;
            length -= left;
            from = cut;
            left = drawing ? on : off;
        }
        left -= length;
        if (drawing) {
            dash.push_back(to);
        }
    }
    if (dash.size() > 1) {
        dashes.push_back(std::move(dash));
    }
    return dashes;
}

} // namespace chart
