#include "chart/chart_drawing.h"

#include "calc/float_text.h"
#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace chart {
namespace layout {

namespace {

constexpr double TickLength = 5;
// Room at the right for a legend of months or counts.
constexpr double LegendColumn = 150;
constexpr double IceDash = 7;
constexpr double IceGap = 4;

constexpr ChartInk Black{0, 0, 0, 255};
constexpr ChartInk GridInk{222, 222, 222, 255};
constexpr ChartInk WaterInk{0, 84, 166, 255};
constexpr ChartInk IceInk{0, 150, 190, 255};
constexpr ChartInk HumidityInk{110, 150, 200, 255};
constexpr ChartInk ConstructionInk{200, 30, 30, 255};
constexpr ChartInk LabelInk{25, 25, 25, 255};
constexpr ChartInk InsetInk{90, 90, 90, 255};

// In pixels a label would rather move than cross the curve: the saturation curves are the
// chart's own, the RH curves only its background.
double CrossingCostOf(ChartRole role) {
    return role == ChartRole::HumidityCurve ? 40 : 90;
}

double WidestNumber(const std::vector<float>& ticks, double size) {
    double widest = 0;
    for (const float tick : ticks) {
        widest = std::max(widest, EstimatedTextWidth(TickText(tick), size));
    }
    return widest;
}

class Layout {
  public:
    Layout(const ChartDescription& description, int width, int height)
        : description_(description), context_{description, drawing_, height / DesignHeight} {
        drawing_.width = width;
        drawing_.height = height;
        drawing_.frame = FrameFor(description.axes, width, height,
                                  !description.cells.empty() || HasDates(description.points));
    }

    ChartDrawing Take() && {
        LabelPlacer placer(drawing_.frame.Box().Grown(-context_.Scaled(2)));
        AddGrid();
        // A logbook's readings under the curves, which stay visible across them.
        AddLogbookReadings(context_, placer);
        const std::vector<VisibleCurve> curves = AddCurves(placer);
        AddConstruction(placer);
        AddFrameAndTicks();
        AddLabels(context_, placer, curves);
        AddTitles();
        return std::move(drawing_);
    }

  private:
    static bool HasDates(const std::vector<LogbookPoint>& points) {
        return std::any_of(points.begin(), points.end(),
                           [](const LogbookPoint& point) { return point.month != 0; });
    }

    void AddGrid() {
        const ChartAxes& axes = description_.axes;
        const Pen grid = PenOf(ChartRole::Grid);
        for (const float t : axes.tTicks) {
            context_.Line(ChartRole::Grid,
                          {context_.Map({t, axes.e.low}), context_.Map({t, axes.e.high})}, grid);
        }
        for (const float e : axes.eTicks) {
            context_.Line(ChartRole::Grid,
                          {context_.Map({axes.t.low, e}), context_.Map({axes.t.high, e})}, grid);
        }
    }

    // The curves cut at the frame; the labels keep off them where they can.
    std::vector<VisibleCurve> AddCurves(LabelPlacer& placer) {
        std::vector<VisibleCurve> visible;
        const PixelBox frame = drawing_.frame.Box();
        for (std::size_t at = 0; at < description_.polylines.size(); ++at) {
            const ChartPolyline& line = description_.polylines[at];
            if (line.role == ChartRole::Construction) {
                continue;
            }
            std::vector<PixelPoint> points;
            for (const ChartPoint& point : line.points) {
                points.push_back(context_.Map(point));
            }
            VisibleCurve curve{at, ClippedTo(points, frame)};
            const Pen pen = PenOf(line.role);
            for (const std::vector<PixelPoint>& piece : curve.pieces) {
                DrawnPolyline drawn{line.role, piece, pen.ink, context_.Scaled(pen.width)};
                if (line.role == ChartRole::IceCurve) {
                    drawn.dash = context_.Scaled(IceDash);
                    drawn.gap = context_.Scaled(IceGap);
                }
                context_.Add(std::move(drawn));
                for (std::size_t point = 1; point < piece.size(); ++point) {
                    placer.Avoid({piece[point - 1], piece[point]}, static_cast<int>(at),
                                 CrossingCostOf(line.role));
                }
            }
            if (!curve.pieces.empty()) {
                visible.push_back(std::move(curve));
            }
        }
        return visible;
    }

    // The reading's lines and marks, which no label may cover.
    void AddConstruction(LabelPlacer& placer) {
        const PixelBox frame = drawing_.frame.Box();
        const Pen pen = PenOf(ChartRole::Construction);
        for (const ChartPolyline& line : description_.polylines) {
            if (line.role != ChartRole::Construction) {
                continue;
            }
            std::vector<PixelPoint> points;
            for (const ChartPoint& point : line.points) {
                points.push_back(context_.Map(point));
            }
            for (std::vector<PixelPoint>& piece : ClippedTo(points, frame)) {
                for (std::size_t at = 1; at < piece.size(); ++at) {
                    placer.Block(PixelSegment{piece[at - 1], piece[at]});
                }
                context_.Line(ChartRole::Construction, std::move(piece), pen);
            }
        }
        const double radius = context_.Scaled(MarkRadius);
        for (const ChartMark& mark : description_.marks) {
            const PixelPoint at = context_.Map(mark.at);
            context_.Add(DrawnDot{mark.role, at, radius, PenOf(mark.role).ink});
            placer.Block(PixelBox{at.x, at.y, at.x, at.y}.Grown(radius + context_.Scaled(1)));
        }
    }

    void AddFrameAndTicks() {
        const ChartFrame& f = drawing_.frame;
        const ChartAxes& axes = description_.axes;
        const Pen pen = PenOf(ChartRole::Axis);
        context_.Add(DrawnRect{
            ChartRole::Plot, f.Box(), {0, 0, 0, 0}, pen.ink, context_.Scaled(pen.width), false});
        const double tick = context_.Scaled(TickLength);
        const double gap = context_.Scaled(Gap);
        const double numberSize = context_.Scaled(TickNumberSize);
        for (const float t : axes.tTicks) {
            const PixelPoint at = context_.Map({t, axes.e.low});
            context_.Line(ChartRole::Axis, {at, {at.x, at.y + tick}}, pen);
            context_.Text(ChartRole::Axis, {at.x, at.y + tick + gap + TextAscent * numberSize},
                          TextAnchor::Middle, TickNumberSize, false, pen.ink, TickText(t));
        }
        for (const float e : axes.eTicks) {
            const PixelPoint at = context_.Map({axes.t.low, e});
            context_.Line(ChartRole::Axis, {{at.x - tick, at.y}, at}, pen);
            context_.Text(ChartRole::Axis,
                          {at.x - tick - gap, at.y + (TextAscent - TextDescent) * numberSize / 2},
                          TextAnchor::End, TickNumberSize, false, pen.ink, TickText(e));
        }
        const double titleSize = context_.Scaled(AxisTitleSize);
        // t's title under the numbers at the right end, е's above the axis at its top.
        context_.Text(ChartRole::Axis,
                      {f.left + f.width, f.top + f.height + tick + gap + numberSize * LineSpacing +
                                             TextAscent * titleSize},
                      TextAnchor::End, AxisTitleSize, true, pen.ink, axes.tTitle);
        // Above the top number, which stands half its height above the frame.
        context_.Text(ChartRole::Axis,
                      {f.left, f.top - gap - numberSize / 2 - TextDescent * titleSize},
                      TextAnchor::Middle, AxisTitleSize, true, pen.ink, axes.eTitle);
    }

    void AddTitles() {
        const ChartFrame& f = drawing_.frame;
        const ChartInk ink = PenOf(ChartRole::Title).ink;
        const double margin = context_.Scaled(EdgeMargin);
        if (!description_.title.empty()) {
            // A long title (an iced bulb's) is set smaller rather than cut at the edges.
            const double room = drawing_.width - 2 * margin;
            const double wanted =
                EstimatedTextWidth(description_.title, context_.Scaled(TitleSize), true);
            const double size = wanted > room ? TitleSize * room / wanted : TitleSize;
            context_.Text(ChartRole::Title,
                          {drawing_.width / 2.0, margin + TextAscent * context_.Scaled(TitleSize)},
                          TextAnchor::Middle, size, true, ink, description_.title);
        }
        if (!description_.caption.empty()) {
            context_.Text(
                ChartRole::Title,
                {f.left, drawing_.height - margin - TextDescent * context_.Scaled(CaptionSize)},
                TextAnchor::Start, CaptionSize, false, ink, description_.caption);
        }
    }

    const ChartDescription& description_;
    ChartDrawing drawing_;
    Context context_;
};

} // namespace

Pen PenOf(ChartRole role) {
    switch (role) {
    case ChartRole::Axis:
    case ChartRole::Plot:
        return {Black, 1.2};
    case ChartRole::Grid:
        return {GridInk, 1};
    case ChartRole::SaturationCurve:
        return {WaterInk, 2.4};
    case ChartRole::IceCurve:
        return {IceInk, 2};
    case ChartRole::HumidityCurve:
        return {HumidityInk, 1};
    case ChartRole::Construction:
    case ChartRole::StatePoint:
        return {ConstructionInk, 1.8};
    case ChartRole::Inset:
        return {InsetInk, 1};
    case ChartRole::Label:
    case ChartRole::Title:
    case ChartRole::Legend:
    case ChartRole::Point:
    case ChartRole::Cell:
        return {LabelInk, 1};
    }
    return {Black, 1};
}

std::string TickText(float value) {
    return ShortestText(value);
}

void Context::Text(ChartRole role, PixelPoint at, TextAnchor anchor, double size, bool bold,
                   ChartInk ink, std::string text) const {
    Add(DrawnText{role, at, anchor, Scaled(size), bold, ink, std::move(text)});
}

void Context::Line(ChartRole role, std::vector<PixelPoint> points, const Pen& pen) const {
    Add(DrawnPolyline{role, std::move(points), pen.ink, Scaled(pen.width)});
}

} // namespace layout

using namespace layout;

PixelPoint ChartFrame::ToPixel(ChartPoint point) const {
    const double across = (point.t - t.low) / static_cast<double>(t.high - t.low);
    const double up = (point.e - e.low) / static_cast<double>(e.high - e.low);
    return {left + across * width, top + (1 - up) * height};
}

PixelBox DrawnText::Box() const {
    return TextBoxAt(at, anchor, EstimatedTextWidth(text, size, bold), size);
}

ChartFrame FrameFor(const ChartAxes& axes, int width, int height, bool withLegend) {
    const double scale = height / DesignHeight;
    const double lines = LineSpacing * scale;
    // Above: the title and the е axis's title; below: the numbers, t's title, the caption.
    const double top = EdgeMargin * scale + TitleSize * lines + AxisTitleSize * lines +
                       (Gap + TickNumberSize / 2) * scale;
    const double bottom = EdgeMargin * scale + (TickLength + Gap) * scale + TickNumberSize * lines +
                          AxisTitleSize * lines + CaptionSize * lines;
    const double left = EdgeMargin * scale + (TickLength + Gap) * scale +
                        WidestNumber(axes.eTicks, TickNumberSize * scale);
    // Room for half the last t number, or for the legend.
    const double right = (withLegend ? LegendColumn : 3 * EdgeMargin) * scale;
    ChartFrame frame;
    frame.left = left;
    frame.top = top;
    frame.width = width - left - right;
    frame.height = height - top - bottom;
    frame.t = axes.t;
    frame.e = axes.e;
    return frame;
}

ChartDrawing LayOutChart(const ChartDescription& description, int width, int height) {
    return Layout(description, width, height).Take();
}

} // namespace chart
