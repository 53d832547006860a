// Where the chart's texts sit in the picture: beside their anchors, inside the plot, and
// clear of one another.
#pragma once

#include "chart/chart_drawing.h"

#include <string_view>
#include <vector>

namespace chart {

// Of a line of text, in ems: the height of the capitals above the baseline, and the
// distance from one baseline to the next.
inline constexpr double CapHeight = 0.72;
inline constexpr double LineSpacing = 1.25;

// The width of a line of sans-serif text of `size` pixels, estimated without the font at
// hand: good enough to keep texts apart and inside the picture.
double EstimatedTextWidth(std::string_view text, double size);

struct PlacedText {
    PixelPoint at; // on the baseline
    TextAnchor anchor = TextAnchor::Start;
};

class TextPlacer {
  public:
    // `gap` pixels lie between a text and its anchor.
    TextPlacer(const ChartFrame& plot, double gap) : plot_(plot), gap_(gap) {}

    // Places a text beside `anchor` as `placement` says, `line` lines further out; a
    // text that would leave the plot at one side goes to the other side of its anchor. A
    // movable text also moves a line at a time (first the way its block grows, then the
    // other) until it is clear of the texts placed before it, and never out of the plot.
    PlacedText Place(PixelPoint anchor, TextPlacement placement, int line, std::string_view text,
                     double size, bool movable);

  private:
    struct Box {
        double left, top, right, bottom;
    };
    static Box BoxOf(const PlacedText& text, double width, double size);
    bool Overlaps(const Box& box) const;
    PlacedText KeptClear(PlacedText text, double width, double size, double step) const;

    ChartFrame plot_;
    double gap_;
    std::vector<Box> placed_;
};

} // namespace chart
