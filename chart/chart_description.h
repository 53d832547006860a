// The psychrometric chart as a drawing in chart units: temperature t in °C across, vapour
// pressure е in hPa up. It knows nothing of pixels or of what draws it; chart_drawing.h
// lays it out in a picture for every renderer alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chart {

struct ChartPoint {
    float t = 0; // °C
    float e = 0; // hPa
};

struct ChartRange {
    float low = 0;
    float high = 0;
};

// What a primitive shows; a renderer takes its ink from the role alone.
enum class ChartRole : std::uint8_t {
    Axis,            // the frame, ticks, tick numbers and axis titles
    Grid,            // faint lines at the ticks inside the plot
    SaturationCurve, // E(t) over water
    IceCurve,        // saturation over ice below 0 °C, for an iced wet bulb
    HumidityCurve,   // RH 10 % to 90 %, and their labels
    Construction,    // the reading's lines: wet bulb, dew point, the vertical to E
    StatePoint,      // the reading's point (Tdry, е) and the feet of its lines
    Label,           // the reading's values
    Title,           // the title line and the caption
};

// Where a text sits around its anchor: Above means the text's bottom edge is a little
// above the anchor, Right that its left edge is a little right of it, and so on.
enum class TextPlacement : std::uint8_t {
    Centre,
    Above,
    Below,
    Left,
    Right,
    AboveLeft,
    AboveRight,
    BelowLeft,
    BelowRight,
};

struct ChartPolyline {
    ChartRole role = ChartRole::SaturationCurve;
    std::vector<ChartPoint> points;
};

struct ChartMark {
    ChartRole role = ChartRole::StatePoint;
    ChartPoint at;
};

struct ChartText {
    ChartRole role = ChartRole::Label;
    ChartPoint at;
    TextPlacement placement = TextPlacement::Right;
    std::string text;
    // Further lines of a block of texts at one anchor: 1 is one line further out, away
    // from the anchor (down, except above it).
    int line = 0;
};

struct ChartAxes {
    ChartRange t;              // °C
    ChartRange e;              // hPa
    std::vector<float> tTicks; // inside t, ascending
    std::vector<float> eTicks; // inside e, ascending
    std::string tTitle;
    std::string eTitle;
};

struct ChartDescription {
    ChartAxes axes;
    std::string title;   // above the plot, may be empty
    std::string caption; // below the plot, may be empty
    // Drawn in this order: lines under marks under texts.
    std::vector<ChartPolyline> polylines;
    std::vector<ChartMark> marks;
    std::vector<ChartText> texts;
    // A logbook's readings, two floats each, so that a long logbook stays small; drawn
    // over the lines and under the marks and texts, small and see-through when there are
    // many.
    std::vector<ChartPoint> logbookPoints;
};

} // namespace chart
