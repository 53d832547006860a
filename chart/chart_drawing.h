// The chart laid out in a picture of a given size, in pixels with y down: the one layout
// both the window and the SVG file draw, so that the two pictures agree line for line.
#pragma once

#include "chart/chart_description.h"

#include <cstdint>
#include <string>
#include <vector>

namespace chart {

struct PixelPoint {
    double x = 0;
    double y = 0;
};

struct ChartInk {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255; // 255 opaque
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
};

// The plot area for these axes in a width x height picture, with room around it for the
// title, the tick numbers, the axis titles and the caption.
ChartFrame FrameFor(const ChartAxes& axes, int width, int height);

struct DrawnPolyline {
    std::vector<PixelPoint> points;
    ChartInk ink;
    double lineWidth = 1;
};

struct DrawnDot {
    PixelPoint centre;
    double radius = 1;
    ChartInk ink;
};

enum class TextAnchor : std::uint8_t { Start, Middle, End };

// One line of text; `at` is on its baseline, where `anchor` says.
struct DrawnText {
    PixelPoint at;
    TextAnchor anchor = TextAnchor::Start;
    double size = 12; // pixels, the font's em
    bool bold = false;
    ChartInk ink;
    std::string text; // UTF-8
};

// The logbook's points are not copied: a renderer maps each with `frame` and draws it
// with `logbookDot`'s radius and ink, after the polylines and before the dots.
struct ChartDrawing {
    int width = 0;
    int height = 0;
    ChartFrame frame;
    DrawnDot logbookDot;
    std::vector<DrawnPolyline> polylines; // in drawing order, then
    std::vector<DrawnDot> dots;           // then
    std::vector<DrawnText> texts;
};

// The font family the layout measures its texts by, generic so every system has one.
inline constexpr const char* ChartFontFamily = "sans-serif";

ChartDrawing LayOutChart(const ChartDescription& description, int width, int height);

} // namespace chart
