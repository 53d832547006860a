// The parts of the chart's layout, shared by the files that lay out its pieces: one
// picture's scale, its frame and the shapes drawn so far.
#pragma once

#include "chart/chart_drawing.h"
#include "chart/chart_size.h"
#include "chart/label_placer.h"

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace chart::layout {

// Sizes in pixels of a picture of the chart's own height; other heights scale them.
inline constexpr double DesignHeight = ChartHeight;
inline constexpr double TitleSize = 17;
inline constexpr double TickNumberSize = 13;
inline constexpr double AxisTitleSize = 14;
inline constexpr double LabelSize = 14;
inline constexpr double CurveLabelSize = 12;
inline constexpr double CaptionSize = 14;
inline constexpr double LegendSize = 12;
inline constexpr double InsetNumberSize = 10;
inline constexpr double Gap = 6; // between a text and what it belongs to
inline constexpr double HaloPad = 2.5;
inline constexpr double MarkRadius = 4.5;
inline constexpr double EdgeMargin = 14; // between the picture's edge and anything on it

struct Pen {
    ChartInk ink;
    double width;
};

Pen PenOf(ChartRole role);

// A curve where the view shows it, in pixels, and which of the description's it is.
struct VisibleCurve {
    std::size_t polyline = 0;
    std::vector<std::vector<PixelPoint>> pieces;
};

struct Context {
    const ChartDescription& description;
    ChartDrawing& drawing;
    double scale = 1;

    double Scaled(double pixels) const { return pixels * scale; }
    PixelPoint Map(ChartPoint point) const { return drawing.frame.ToPixel(point); }
    template <class Shape> void Add(Shape&& shape) const {
        drawing.shapes.emplace_back(std::in_place_type<std::decay_t<Shape>>,
                                    std::forward<Shape>(shape));
    }
    // One line of text, `size` in design pixels.
    void Text(ChartRole role, PixelPoint at, TextAnchor anchor, double size, bool bold,
              ChartInk ink, std::string text) const;
    void Line(ChartRole role, std::vector<PixelPoint> points, const Pen& pen) const;
};

// The number a tick carries.
std::string TickText(float value);

// A logbook's points or cells, kept clear of by the labels; with their legend in the
// column right of the plot.
void AddLogbookReadings(const Context& context, LabelPlacer& placer);

// The reading's values beside what they name, the overview in a free corner and the
// curves' names on the curves, in that order of importance.
void AddLabels(const Context& context, LabelPlacer& placer,
               const std::vector<VisibleCurve>& curves);

} // namespace chart::layout
