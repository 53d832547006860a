// The psychrometric chart as a drawing in chart units: temperature t in °C across, vapour
// pressure е in hPa up. It knows nothing of pixels or of what draws it; chart_drawing.h
// lays it out in a picture for every renderer alike.
#pragma once

#include <cstdint>
#include <optional>
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

    float Width() const { return high - low; }
    bool Holds(float value) const { return value >= low && value <= high; }
};

// What a primitive shows; a renderer takes its ink from the role alone, and an SVG names
// the role in its class so that a stylesheet can restyle it.
enum class ChartRole : std::uint8_t {
    Axis,            // ticks, tick numbers and axis titles
    Plot,            // the plot's frame
    Grid,            // faint lines at the ticks inside the plot
    SaturationCurve, // E(t) over water
    IceCurve,        // saturation over ice below 0 °C
    HumidityCurve,   // RH 10 % to 90 %, and their labels
    Construction,    // the reading's lines: wet bulb, dew point, the vertical to E
    StatePoint,      // the reading's point (Tdry, е) and the feet of its lines
    Label,           // the reading's values and their leader lines
    Title,           // the title line and the caption
    Inset,           // the overview of the whole chart and the view's place on it
    Point,           // one reading of a logbook
    Cell,            // the count of a logbook's readings in a small cell
    Legend,          // what the colours of points or cells mean
};

struct ChartPolyline {
    ChartRole role = ChartRole::SaturationCurve;
    std::vector<ChartPoint> points;
};

struct ChartMark {
    ChartRole role = ChartRole::StatePoint;
    ChartPoint at;
};

// Which side of what it names a label would rather take; the layout tries the others
// when that one is taken.
enum class LabelSide : std::uint8_t { Right, Left, Above, Below, AboveLeft, BelowRight };

// A text the layout places near the point it names, one or more lines in one block.
struct ChartLabel {
    ChartRole role = ChartRole::Label;
    ChartPoint at;
    LabelSide side = LabelSide::Right;
    std::vector<std::string> lines;
};

// A curve's name, written on the curve where the view shows it.
struct CurveLabel {
    std::size_t polyline = 0; // into ChartDescription::polylines
    std::string text;
};

struct ChartAxes {
    ChartRange t;              // °C
    ChartRange e;              // hPa
    std::vector<float> tTicks; // inside t, ascending
    std::vector<float> eTicks; // inside e, ascending
    std::string tTitle;
    std::string eTitle;
};

// The usual chart in miniature, with the view's rectangle on it.
struct ChartOverview {
    ChartRange t;
    ChartRange e;
    std::vector<ChartPolyline> curves;
};

// A logbook's reading, with the month it was observed in (0 when the row has no date).
struct LogbookPoint {
    ChartPoint at;
    std::uint8_t month = 0;
};

// The readings counted per cell at the table's own resolution, 0.1 °C by 0.1 hPa: cell
// (t, e) holds the readings that round to t / CellsPerUnit °C and e / CellsPerUnit hPa.
inline constexpr int CellsPerUnit = 10;
struct CountedCell {
    std::int32_t t = 0;
    std::int32_t e = 0;
    std::uint64_t count = 0;
};

struct ChartDescription {
    ChartAxes axes;
    std::string title;   // above the plot, may be empty
    std::string caption; // below the plot, may be empty
    // Drawn in this order: lines under marks under texts.
    std::vector<ChartPolyline> polylines;
    std::vector<ChartMark> marks;
    std::vector<ChartLabel> labels;
    std::vector<CurveLabel> curveLabels;
    std::optional<ChartOverview> overview;
    // A logbook's readings: each as a point while they are few, counted per cell when
    // they are many.
    std::vector<LogbookPoint> points;
    std::vector<CountedCell> cells;
};

} // namespace chart
