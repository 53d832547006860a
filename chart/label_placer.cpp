#include "chart/label_placer.h"

#include <algorithm>
#include <cmath>

namespace chart {
namespace {

constexpr double BucketSize = 32;
// What a box on the opposite side of the one asked for costs, in pixels moved.
constexpr double SideCost = 30;
constexpr double LeaderCost = 12;
// Along a curve, a label moves this many pixels to avoid one crossing.
constexpr double AlongCurveCost = 0.2;
constexpr double AlongCurveStep = 6;

PixelPoint Direction(LabelSide side) {
    constexpr double Diagonal = 0.7071;
    switch (side) {
    case LabelSide::Right:
        return {1, 0};
    case LabelSide::Left:
        return {-1, 0};
    case LabelSide::Above:
        return {0, -1};
    case LabelSide::Below:
        return {0, 1};
    case LabelSide::AboveLeft:
        return {-Diagonal, -Diagonal};
    case LabelSide::BelowRight:
        return {Diagonal, Diagonal};
    }
    return {1, 0};
}

PixelBox CentredAt(PixelPoint centre, double width, double height) {
    return {centre.x - width / 2, centre.y - height / 2, centre.x + width / 2,
            centre.y + height / 2};
}

} // namespace

LabelPlacer::LabelPlacer(const PixelBox& room) : room_(room) {
    columns_ = std::max(1, static_cast<int>(std::ceil(room.Width() / BucketSize)));
    rows_ = std::max(1, static_cast<int>(std::ceil(room.Height() / BucketSize)));
    buckets_.resize(static_cast<std::size_t>(columns_ * rows_));
}

void LabelPlacer::Block(const PixelBox& box) {
    blockedBoxes_.push_back(box);
}

void LabelPlacer::Block(const PixelSegment& segment) {
    blockedSegments_.push_back(segment);
}

std::vector<std::uint32_t>& LabelPlacer::Bucket(int column, int row) {
    return buckets_[static_cast<std::size_t>(row * columns_ + column)];
}

template <class Visit> void LabelPlacer::ForEachBucket(const PixelBox& box, Visit&& visit) {
    const auto index = [](double at, double origin, int count) {
        return std::clamp(static_cast<int>(std::floor((at - origin) / BucketSize)), 0, count - 1);
    };
    const int firstColumn = index(box.left, room_.left, columns_);
    const int lastColumn = index(box.right, room_.left, columns_);
    const int firstRow = index(box.top, room_.top, rows_);
    const int lastRow = index(box.bottom, room_.top, rows_);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            visit(Bucket(column, row));
        }
    }
}

void LabelPlacer::Avoid(const PixelSegment& segment, int curve, double cost) {
    const auto at = static_cast<std::uint32_t>(avoided_.size());
    avoided_.push_back({segment, curve, cost});
    seen_.push_back(0);
    const PixelBox bounds{
        std::min(segment.from.x, segment.to.x), std::min(segment.from.y, segment.to.y),
        std::max(segment.from.x, segment.to.x), std::max(segment.from.y, segment.to.y)};
    ForEachBucket(bounds, [at](std::vector<std::uint32_t>& bucket) { bucket.push_back(at); });
}

double LabelPlacer::CrossingsCost(const PixelBox& box, int ownCurve) {
    ++visit_;
    std::vector<int> crossing;
    double cost = 0;
    ForEachBucket(box, [&](const std::vector<std::uint32_t>& bucket) {
        for (const std::uint32_t at : bucket) {
            const Avoided& avoided = avoided_[at];
            if (seen_[at] == visit_ || avoided.curve == ownCurve ||
                std::find(crossing.begin(), crossing.end(), avoided.curve) != crossing.end()) {
                continue;
            }
            seen_[at] = visit_;
            if (Crosses(avoided.segment, box)) {
                crossing.push_back(avoided.curve);
                cost += avoided.cost;
            }
        }
    });
    return cost;
}

bool LabelPlacer::IsClear(const PixelBox& box, const std::optional<PixelSegment>& leader,
                          PixelPoint anchor) const {
    if (!room_.Holds(box)) {
        return false;
    }
    for (const PixelBox& blocked : blockedBoxes_) {
        if (box.Overlaps(blocked)) {
            return false;
        }
        // The leader starts at the mark it comes from.
        if (leader && !blocked.Holds(anchor) && Crosses(*leader, blocked)) {
            return false;
        }
    }
    for (const PixelSegment& blocked : blockedSegments_) {
        if (Crosses(blocked, box) || (leader && Intersect(*leader, blocked))) {
            return false;
        }
    }
    return true;
}

std::optional<Placement> LabelPlacer::BestOf(std::vector<Candidate>& candidates, int ownCurve,
                                             PixelPoint anchor, double start) {
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    std::optional<Placement> best;
    double bestCost = 0;
    for (const Candidate& candidate : candidates) {
        if (best && candidate.cost >= bestCost) {
            break; // no later one can do better, whatever it crosses
        }
        std::optional<PixelSegment> leader;
        if (candidate.led) {
            const PixelPoint end = NearestOnEdge(candidate.box, anchor);
            const double share = start / std::hypot(end.x - anchor.x, end.y - anchor.y);
            leader = PixelSegment{
                {anchor.x + (end.x - anchor.x) * share, anchor.y + (end.y - anchor.y) * share},
                end};
        }
        if (!IsClear(candidate.box, leader, anchor)) {
            continue;
        }
        const double cost = candidate.cost + CrossingsCost(candidate.box, ownCurve);
        if (!best || cost < bestCost) {
            best = Placement{candidate.box, leader};
            bestCost = cost;
        }
    }
    if (best) {
        Taken(*best);
    }
    return best;
}

void LabelPlacer::Taken(const Placement& placement) {
    Block(placement.box);
    if (placement.leader) {
        Block(*placement.leader);
    }
}

std::optional<Placement> LabelPlacer::Beside(PixelPoint anchor, double width, double height,
                                             double clearance, LabelSide side) {
    const PixelPoint wanted = Direction(side);
    // Boxes centred on a grid around the anchor, within the room and `reach` of it.
    const auto candidatesWithin = [&](double reachX, double reachY, double stepX, double stepY) {
        std::vector<Candidate> candidates;
        const double lowX = std::max(anchor.x - reachX, room_.left + width / 2);
        const double highX = std::min(anchor.x + reachX, room_.right - width / 2);
        const double lowY = std::max(anchor.y - reachY, room_.top + height / 2);
        const double highY = std::min(anchor.y + reachY, room_.bottom - height / 2);
        const double firstX = anchor.x + std::ceil((lowX - anchor.x) / stepX) * stepX;
        const double firstY = anchor.y + std::ceil((lowY - anchor.y) / stepY) * stepY;
        candidates.reserve(static_cast<std::size_t>(std::max(0.0, (highX - firstX) / stepX + 1) *
                                                    std::max(0.0, (highY - firstY) / stepY + 1)));
        for (double y = firstY; y <= highY; y += stepY) {
            for (double x = firstX; x <= highX; x += stepX) {
                const PixelBox box = CentredAt({x, y}, width, height);
                const double distance = DistanceTo(box, anchor);
                if (distance < clearance) {
                    continue;
                }
                const double dx = x - anchor.x;
                const double dy = y - anchor.y;
                const double alignment = (dx * wanted.x + dy * wanted.y) / std::hypot(dx, dy);
                // Moved further than its own height from where it would touch its anchor.
                const bool led = distance - clearance > height;
                candidates.push_back(
                    {box, distance + SideCost * (1 - alignment) / 2 + (led ? LeaderCost : 0), led});
            }
        }
        return candidates;
    };
    // Near first, in fine steps; then anywhere in the room, coarser, with a leader.
    std::vector<Candidate> near =
        candidatesWithin(width / 2 + clearance + 2 * height, height / 2 + clearance + 2 * height,
                         std::max(4.0, width / 8), std::max(3.0, height / 3));
    // The leader starts outside the mark.
    const double start = clearance * 0.6;
    if (auto placed = BestOf(near, -1, anchor, start)) {
        return placed;
    }
    std::vector<Candidate> far = candidatesWithin(
        room_.Width(), room_.Height(), std::max(6.0, width / 4), std::max(4.0, height / 2));
    return BestOf(far, -1, anchor, start);
}

std::optional<PixelBox> LabelPlacer::OnCurve(std::span<const PixelPoint> points, int curve,
                                             double width, double height) {
    std::vector<Candidate> candidates;
    double along = 0;
    double next = 0;
    for (std::size_t at = 0; at < points.size(); ++at) {
        if (at > 0) {
            along += std::hypot(points[at].x - points[at - 1].x, points[at].y - points[at - 1].y);
        }
        if (along >= next) {
            candidates.push_back(
                {CentredAt(points[at], width, height), along * AlongCurveCost, false});
            next = along + AlongCurveStep;
        }
    }
    const std::optional<Placement> placed =
        BestOf(candidates, curve, points.empty() ? PixelPoint{} : points.front());
    return placed ? std::optional<PixelBox>(placed->box) : std::nullopt;
}

std::optional<PixelBox> LabelPlacer::InCorner(std::span<const int> corners, double width,
                                              double height, double margin) {
    std::vector<Candidate> candidates;
    double order = 0;
    for (const int corner : corners) {
        const double left = corner % 2 == 0 ? room_.left + margin : room_.right - margin - width;
        const double top = corner < 2 ? room_.top + margin : room_.bottom - margin - height;
        candidates.push_back({{left, top, left + width, top + height}, order, false});
        order += 1;
    }
    const std::optional<Placement> placed = BestOf(candidates, -1, {});
    return placed ? std::optional<PixelBox>(placed->box) : std::nullopt;
}

} // namespace chart
