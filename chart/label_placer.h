// Where the chart's texts and boxes go: near what they name, inside the plot, and clear of
// one another, of the marks and of the reading's lines. Geometry alone: boxes, points and
// sampled segments in pixels.
#pragma once

#include "chart/chart_description.h"
#include "chart/pixel_geometry.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace chart {

struct Placement {
    PixelBox box;
    // From the edge of what the box names to the box, when it lies further off than its
    // own height.
    std::optional<PixelSegment> leader;
};

class LabelPlacer {
  public:
    // Every box placed lies inside `room`.
    explicit LabelPlacer(const PixelBox& room);

    // What no box may overlap or cross.
    void Block(const PixelBox& box);
    void Block(const PixelSegment& segment);
    // What a box had better not cross: a curve crossing it costs as much as moving the box
    // `cost` pixels further. `curve` names the line the segment belongs to.
    void Avoid(const PixelSegment& segment, int curve, double cost);

    // A box beside `anchor`, at least `clearance` pixels from it, on `side` when that is
    // free, elsewhere around it when not, with a leader when it had to go far.
    std::optional<Placement> Beside(PixelPoint anchor, double width, double height,
                                    double clearance, LabelSide side);
    // A box centred on the curve (its own `curve` costs nothing), nearest to the end of
    // `points` that comes first.
    std::optional<PixelBox> OnCurve(std::span<const PixelPoint> points, int curve, double width,
                                    double height);
    // A box in one of the room's corners, `margin` pixels in from its edges, tried in the
    // order given: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
    std::optional<PixelBox> InCorner(std::span<const int> corners, double width, double height,
                                     double margin);

  private:
    struct Candidate {
        PixelBox box;
        double cost = 0;
        bool led = false; // from the anchor, starting `start` pixels out
    };
    std::optional<Placement> BestOf(std::vector<Candidate>& candidates, int ownCurve,
                                    PixelPoint anchor, double start = 0);
    bool IsClear(const PixelBox& box, const std::optional<PixelSegment>& leader,
                 PixelPoint anchor) const;
    double CrossingsCost(const PixelBox& box, int ownCurve);
    void Taken(const Placement& placement);

    struct Avoided {
        PixelSegment segment;
        int curve;
        double cost;
    };
    // The avoided segments by square of the room, so that a box looks only at its own.
    std::vector<std::uint32_t>& Bucket(int column, int row);
    template <class Visit> void ForEachBucket(const PixelBox& box, Visit&& visit);

    PixelBox room_;
    std::vector<PixelBox> blockedBoxes_;
    std::vector<PixelSegment> blockedSegments_;
    std::vector<Avoided> avoided_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::vector<std::uint32_t>> buckets_;
    std::vector<std::uint32_t> seen_; // the last visit that looked at each avoided segment
    std::uint32_t visit_ = 0;
};

} // namespace chart
