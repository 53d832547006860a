// The chart laid out in a picture of a given size, in pixels with y down: the one layout
// both the window and the SVG file draw, so that the two pictures agree line for line.
#pragma once

#include "chart/chart_description.h"
#include "chart/pixel_geometry.h"
#include "chart/text_metrics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace chart {

struct ChartInk {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255; // 255 opaque

    friend bool operator==(const ChartInk&, const ChartInk&) = default;
};

// The plot area inside the picture, and the chart units it shows.
struct ChartFrame {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    ChartRange t;
    ChartRange e;

    PixelPoint ToPixel(ChartPoint point) const;
    PixelBox Box() const { return {left, top, left + width, top + height}; }
};

// The plot area for these axes in a width x height picture, with room around it for the
// title, the tick numbers, the axis titles, the caption and, when asked, a legend at the
// right.
ChartFrame FrameFor(const ChartAxes& axes, int width, int height, bool withLegend = false);

struct DrawnPolyline {
    ChartRole role = ChartRole::Axis;
    std::vector<PixelPoint> points;
    ChartInk ink;
    double lineWidth = 1;
    // Dashes of `dash` pixels with gaps of `gap` between them; 0 for a solid line.
    double dash = 0;
    double gap = 0;
};

struct DrawnDot {
    ChartRole role = ChartRole::StatePoint;
    PixelPoint centre;
    double radius = 1;
    ChartInk ink;
};

// A rectangle, filled or outlined or both: a logbook's cell, a legend's swatch, the plot's
// frame, the overview and the view on it, or the halo of the background a text sits on.
struct DrawnRect {
    ChartRole role = ChartRole::Cell;
    PixelBox box;
    ChartInk fill{0, 0, 0, 0}; // alpha 0: not filled
    ChartInk stroke;
    double strokeWidth = 0; // 0: no outline
    bool halo = false;
};

// One line of text; `at` is on its baseline, where `anchor` says.
struct DrawnText {
    ChartRole role = ChartRole::Label;
    PixelPoint at;
    TextAnchor anchor = TextAnchor::Start;
    double size = 12; // pixels, the font's em
    bool bold = false;
    ChartInk ink;
    std::string text; // UTF-8

    PixelBox Box() const;
};

using DrawnShape = std::variant<DrawnPolyline, DrawnDot, DrawnRect, DrawnText>;

// Where the overview went, and the view's rectangle on it.
struct InsetLayout {
    PixelBox box;
    ChartFrame overview;
    PixelBox view;
};

struct ChartDrawing {
    int width = 0;
    int height = 0;
    ChartFrame frame;
    std::vector<DrawnShape> shapes; // in drawing order
    std::optional<InsetLayout> inset;
};

// The faces the layout measures its texts by, in the order a renderer should look for
// them: every system has one of the first four with Cyrillic letters.
inline constexpr const char* ChartFontList =
    "Arial, 'Liberation Sans', Helvetica, 'DejaVu Sans', sans-serif";

ChartDrawing LayOutChart(const ChartDescription& description, int width, int height);

} // namespace chart
