#include "chart/chart_drawing.h"

#include "calc/float_text.h"
#include "chart/chart_size.h"
#include "chart/text_placement.h"

#include <algorithm>
#include <cmath>

namespace chart {
namespace {

// Sizes in pixels of a picture of the chart's own height; other heights scale them.
constexpr double DesignHeight = ChartHeight;
constexpr double TitleSize = 17;
constexpr double TickNumberSize = 13;
constexpr double AxisTitleSize = 14;
constexpr double LabelSize = 14;
constexpr double CurveLabelSize = 12;
constexpr double CaptionSize = 14;
constexpr double Gap = 6; // between a text and what it belongs to
constexpr double TickLength = 5;
constexpr double EdgeMargin = 14; // between the picture's edge and anything on it
// The widest tick number is three digits and a sign.
constexpr double NumberColumnEms = 2.6;
constexpr double BoldWidening = 1.1;

constexpr ChartInk Black{0, 0, 0, 255};
constexpr ChartInk GridInk{215, 215, 215, 255};
constexpr ChartInk WaterInk{0, 84, 166, 255};
constexpr ChartInk IceInk{0, 150, 190, 255};
constexpr ChartInk HumidityInk{110, 150, 200, 255};
constexpr ChartInk ConstructionInk{200, 30, 30, 255};
constexpr ChartInk LabelInk{25, 25, 25, 255};
constexpr ChartInk LogbookInk{200, 30, 30, 200};
// Many thousand points on top of each other still show where the readings gather: the
// more there are, the fainter each, down to what a picture's eight bits still tell apart.
constexpr ChartInk CrowdedLogbookInk{200, 30, 30, 60};
constexpr std::size_t CrowdedFrom = 5000;
constexpr double FaintestAlpha = 6;

struct Pen {
    ChartInk ink;
    double width;
};

Pen PenOf(ChartRole role) {
    switch (role) {
    case ChartRole::Axis:
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
    case ChartRole::Label:
    case ChartRole::Title:
        return {LabelInk, 1};
    }
    return {Black, 1};
}

double TextSizeOf(ChartRole role) {
    switch (role) {
    case ChartRole::Title:
        return TitleSize;
    case ChartRole::HumidityCurve:
    case ChartRole::SaturationCurve:
    case ChartRole::IceCurve:
        return CurveLabelSize;
    case ChartRole::Axis:
        return AxisTitleSize;
    default:
        return LabelSize;
    }
}

std::string TickText(float value) {
    return ShortestText(value);
}

class Layout {
  public:
    Layout(const ChartDescription& description, int width, int height)
        : description_(description), scale_(height / DesignHeight),
          placer_(FrameFor(description.axes, width, height), Gap * scale_) {
        drawing_.width = width;
        drawing_.height = height;
        drawing_.frame = FrameFor(description.axes, width, height);
    }

    ChartDrawing Take() && {
        AddGrid();
        for (const ChartPolyline& line : description_.polylines) {
            AddPolyline(line);
        }
        for (const ChartMark& mark : description_.marks) {
            const Pen pen = PenOf(mark.role);
            drawing_.dots.push_back({Map(mark.at), 4.5 * scale_, pen.ink});
        }
        AddFrameAndTicks();
        for (const ChartText& text : description_.texts) {
            AddPlaced(text);
        }
        AddTitles();
        drawing_.logbookDot = LogbookDot(description_.logbookPoints.size());
        return std::move(drawing_);
    }

  private:
    DrawnDot LogbookDot(std::size_t count) const {
        if (count <= CrowdedFrom) {
            return {{}, 3.2 * scale_, LogbookInk};
        }
        ChartInk ink = CrowdedLogbookInk;
        const double alpha = ink.alpha * std::sqrt(static_cast<double>(CrowdedFrom) / count);
        ink.alpha = static_cast<std::uint8_t>(std::lround(std::max(alpha, FaintestAlpha)));
        return {{}, 1.3 * scale_, ink};
    }

    PixelPoint Map(ChartPoint point) const { return drawing_.frame.ToPixel(point); }

    void Line(PixelPoint from, PixelPoint to, Pen pen) {
        drawing_.polylines.push_back({{from, to}, pen.ink, pen.width * scale_});
    }

    void Text(PixelPoint at, TextAnchor anchor, double size, bool bold, ChartInk ink,
              std::string text) {
        drawing_.texts.push_back({at, anchor, size * scale_, bold, ink, std::move(text)});
    }

    void AddGrid() {
        const ChartAxes& axes = description_.axes;
        const Pen grid = PenOf(ChartRole::Grid);
        for (const float t : axes.tTicks) {
            Line(Map({t, axes.e.low}), Map({t, axes.e.high}), grid);
        }
        for (const float e : axes.eTicks) {
            Line(Map({axes.t.low, e}), Map({axes.t.high, e}), grid);
        }
    }

    void AddPolyline(const ChartPolyline& line) {
        DrawnPolyline drawn;
        const Pen pen = PenOf(line.role);
        drawn.ink = pen.ink;
        drawn.lineWidth = pen.width * scale_;
        for (const ChartPoint& point : line.points) {
            drawn.points.push_back(Map(point));
        }
        drawing_.polylines.push_back(std::move(drawn));
    }

    void AddFrameAndTicks() {
        const ChartFrame& f = drawing_.frame;
        const ChartAxes& axes = description_.axes;
        const Pen pen = PenOf(ChartRole::Axis);
        const PixelPoint topLeft{f.left, f.top};
        const PixelPoint topRight{f.left + f.width, f.top};
        const PixelPoint bottomRight{f.left + f.width, f.top + f.height};
        const PixelPoint bottomLeft{f.left, f.top + f.height};
        drawing_.polylines.push_back(
            {{topLeft, topRight, bottomRight, bottomLeft, topLeft}, pen.ink, pen.width * scale_});
        const double tick = TickLength * scale_;
        const double gap = Gap * scale_;
        const double numberSize = TickNumberSize * scale_;
        for (const float t : axes.tTicks) {
            const PixelPoint at = Map({t, axes.e.low});
            Line(at, {at.x, at.y + tick}, pen);
            Text({at.x, at.y + tick + gap + CapHeight * numberSize}, TextAnchor::Middle,
                 TickNumberSize, false, pen.ink, TickText(t));
        }
        for (const float e : axes.eTicks) {
            const PixelPoint at = Map({axes.t.low, e});
            Line({at.x - tick, at.y}, at, pen);
            Text({at.x - tick - gap, at.y + CapHeight * numberSize / 2}, TextAnchor::End,
                 TickNumberSize, false, pen.ink, TickText(e));
        }
        const double titleSize = AxisTitleSize * scale_;
        // t's title under the numbers at the right end, е's above the axis at its top.
        Text({f.left + f.width, f.top + f.height + tick + gap + numberSize * LineSpacing + gap +
                                    CapHeight * titleSize},
             TextAnchor::End, AxisTitleSize, true, pen.ink, axes.tTitle);
        Text({f.left, f.top - gap - tick}, TextAnchor::Middle, AxisTitleSize, true, pen.ink,
             axes.eTitle);
    }

    void AddPlaced(const ChartText& text) {
        const double size = TextSizeOf(text.role) * scale_;
        const PlacedText placed = placer_.Place(Map(text.at), text.placement, text.line, text.text,
                                                size, text.role == ChartRole::Label);
        Text(placed.at, placed.anchor, TextSizeOf(text.role), false, PenOf(text.role).ink,
             text.text);
    }

    void AddTitles() {
        const ChartFrame& f = drawing_.frame;
        const ChartInk ink = PenOf(ChartRole::Title).ink;
        if (!description_.title.empty()) {
            // A long title (an iced bulb's) is set smaller rather than cut at the edges.
            const double room = drawing_.width - 2 * EdgeMargin * scale_;
            const double wanted =
                EstimatedTextWidth(description_.title, TitleSize * scale_) * BoldWidening;
            const double size = wanted > room ? TitleSize * room / wanted : TitleSize;
            Text({drawing_.width / 2.0, (EdgeMargin + CapHeight * TitleSize) * scale_},
                 TextAnchor::Middle, size, true, ink, description_.title);
        }
        if (!description_.caption.empty()) {
            Text({f.left, drawing_.height - EdgeMargin * scale_}, TextAnchor::Start, CaptionSize,
                 false, ink, description_.caption);
        }
    }

    const ChartDescription& description_;
    double scale_;
    ChartDrawing drawing_;
    TextPlacer placer_;
};

} // namespace

PixelPoint ChartFrame::ToPixel(ChartPoint point) const {
    const double across = (point.t - t.low) / static_cast<double>(t.high - t.low);
    const double up = (point.e - e.low) / static_cast<double>(e.high - e.low);
    return {left + across * width, top + (1 - up) * height};
}

ChartFrame FrameFor(const ChartAxes& axes, int width, int height) {
    const double scale = height / DesignHeight;
    const double lines = LineSpacing * scale;
    // Above: the title and the е axis's title; below: the numbers, t's title, the caption.
    const double top = EdgeMargin * scale + TitleSize * lines + AxisTitleSize * lines + Gap * scale;
    const double bottom = EdgeMargin * scale + (TickLength + Gap) * scale + TickNumberSize * lines +
                          AxisTitleSize * lines + CaptionSize * lines;
    const double left =
        EdgeMargin * scale + (TickLength + Gap) * scale + NumberColumnEms * TickNumberSize * scale;
    // Room for the labels of a reading near 50 °C.
    const double right = 3 * EdgeMargin * scale;
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
