// The reading's values, the overview and the curves' names, placed where they collide
// with nothing that matters.
#include "chart/chart_layout.h"

#include <algorithm>
#include <array>

namespace chart::layout {
namespace {

constexpr ChartInk HaloInk{255, 255, 255, 230};
constexpr ChartInk LeaderInk{90, 90, 90, 255};
constexpr ChartInk ViewInk{200, 30, 30, 255};
constexpr double LeaderWidth = 0.8;
constexpr double InsetShare = 0.2; // of the plot's width
constexpr double InsetPad = 4;
constexpr double SmallestView = 4; // pixels of the view's rectangle in the overview
// The corners the construction leaves free most often first: above the saturation
// curve at the top left, then under the state point at the bottom right.
constexpr std::array<int, 4> InsetCorners = {0, 3, 2, 1};

struct Block {
    double width = 0;
    double height = 0;
};

Block BlockOf(const std::vector<std::string>& lines, double size) {
    Block block;
    for (const std::string& line : lines) {
        block.width = std::max(block.width, EstimatedTextWidth(line, size));
    }
    const double count = static_cast<double>(lines.size());
    block.height = ((count - 1) * LineSpacing + TextAscent + TextDescent) * size;
    return block;
}

// The lines of a block in a placed box, aligned on the side toward what they name.
void AddBlock(const Context& context, const PixelBox& box, PixelPoint named,
              const std::vector<std::string>& lines, double size, ChartRole role, ChartInk ink) {
    context.Add(DrawnRect{role, box, HaloInk, {}, 0, true});
    const double pad = context.Scaled(HaloPad);
    const double pixels = context.Scaled(size);
    const bool towardsLeft = box.Centre().x >= named.x;
    const TextAnchor anchor = towardsLeft ? TextAnchor::Start : TextAnchor::End;
    const double x = towardsLeft ? box.left + pad : box.right - pad;
    double baseline = box.top + pad + TextAscent * pixels;
    for (const std::string& line : lines) {
        context.Text(role, {x, baseline}, anchor, size, false, ink, line);
        baseline += LineSpacing * pixels;
    }
}

// The values in the order they are placed in, the state point's first; when one of them
// finds no clear room, the others are placed again in every other order until all do.
void AddResultLabels(const Context& context, LabelPlacer& placer) {
    const std::vector<ChartLabel>& labels = context.description.labels;
    const double pad = context.Scaled(HaloPad);
    const double size = context.Scaled(LabelSize);
    const double clearance = context.Scaled(MarkRadius + Gap / 2);
    std::vector<std::size_t> order(labels.size());
    for (std::size_t at = 0; at < order.size(); ++at) {
        order[at] = at;
    }
    struct Attempt {
        LabelPlacer placer;
        std::vector<std::optional<Placement>> placed;
        std::size_t missing = 0;
    };
    std::optional<Attempt> best;
    do {
        Attempt attempt{placer, std::vector<std::optional<Placement>>(labels.size()), 0};
        for (const std::size_t at : order) {
            const Block block = BlockOf(labels[at].lines, size);
            attempt.placed[at] =
                attempt.placer.Beside(context.Map(labels[at].at), block.width + 2 * pad,
                                      block.height + 2 * pad, clearance, labels[at].side);
            attempt.missing += attempt.placed[at] ? 0 : 1;
        }
        if (!best || attempt.missing < best->missing) {
            best = std::move(attempt);
        }
    } while (best->missing > 0 && std::next_permutation(order.begin(), order.end()));
    placer = std::move(best->placer);
    for (std::size_t at = 0; at < labels.size(); ++at) {
        const ChartLabel& label = labels[at];
        const Block block = BlockOf(label.lines, size);
        const PixelPoint anchor = context.Map(label.at);
        const std::optional<Placement>& placed = best->placed[at];
        // Nowhere clear in the whole plot: beside its point all the same, rather than lost.
        const PixelBox box = placed
                                 ? placed->box
                                 : PixelBox{anchor.x + clearance, anchor.y - block.height / 2 - pad,
                                            anchor.x + clearance + block.width + 2 * pad,
                                            anchor.y + block.height / 2 + pad};
        if (placed && placed->leader) {
            context.Line(ChartRole::Label, {placed->leader->from, placed->leader->to},
                         {LeaderInk, LeaderWidth});
        }
        AddBlock(context, box, anchor, label.lines, LabelSize, label.role, PenOf(label.role).ink);
    }
}

// The view's rectangle on the overview, large enough to be seen.
PixelBox ViewOnOverview(const ChartFrame& overview, const ChartAxes& view, double smallest) {
    const PixelPoint lowLeft = overview.ToPixel({view.t.low, view.e.low});
    const PixelPoint highRight = overview.ToPixel({view.t.high, view.e.high});
    PixelBox box{lowLeft.x, highRight.y, highRight.x, lowLeft.y};
    const PixelPoint centre = box.Centre();
    const double halfWidth = std::max(box.Width(), smallest) / 2;
    const double halfHeight = std::max(box.Height(), smallest) / 2;
    box = {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth,
           centre.y + halfHeight};
    // Grown at an edge of the overview, it moves inward rather than out of it.
    const PixelBox bounds = overview.Box();
    const double dx =
        std::max(0.0, bounds.left - box.left) - std::max(0.0, box.right - bounds.right);
    const double dy =
        std::max(0.0, bounds.top - box.top) - std::max(0.0, box.bottom - bounds.bottom);
    return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

void AddInset(const Context& context, LabelPlacer& placer) {
    if (!context.description.overview) {
        return;
    }
    const ChartOverview& overview = *context.description.overview;
    const ChartFrame& frame = context.drawing.frame;
    const double width = frame.width * InsetShare;
    const double height = width * frame.height / frame.width;
    std::optional<PixelBox> placed;
    // Smaller where a whole corner is not free.
    for (const double share : {1.0, 0.8, 0.65}) {
        if ((placed = placer.InCorner(InsetCorners, width * share, height * share, 0))) {
            break;
        }
    }
    if (!placed) {
        return;
    }
    const PixelBox box = *placed;
    const Pen pen = PenOf(ChartRole::Inset);
    context.Add(DrawnRect{
        ChartRole::Inset, box, {255, 255, 255, 255}, pen.ink, context.Scaled(pen.width), false});
    const double pad = context.Scaled(InsetPad);
    const double numberSize = context.Scaled(InsetNumberSize);
    ChartFrame inner;
    inner.left = box.left + pad;
    inner.top = box.top + pad;
    inner.width = box.Width() - 2 * pad;
    inner.height = box.Height() - 2 * pad - (TextAscent + TextDescent) * numberSize - pad / 2;
    inner.t = overview.t;
    inner.e = overview.e;
    for (const ChartPolyline& curve : overview.curves) {
        std::vector<PixelPoint> points;
        for (const ChartPoint& point : curve.points) {
            points.push_back(inner.ToPixel(point));
        }
        const Pen curvePen = PenOf(curve.role);
        for (std::vector<PixelPoint>& piece : ClippedTo(points, inner.Box())) {
            context.Add(
                DrawnPolyline{ChartRole::Inset, std::move(piece), curvePen.ink, context.Scaled(1)});
        }
    }
    const PixelBox view =
        ViewOnOverview(inner, context.description.axes, context.Scaled(SmallestView));
    context.Add(
        DrawnRect{ChartRole::Inset, view, {0, 0, 0, 0}, ViewInk, context.Scaled(1.5), false});
    const double baseline = box.bottom - pad / 2 - TextDescent * numberSize;
    context.Text(ChartRole::Inset, {inner.left, baseline}, TextAnchor::Start, InsetNumberSize,
                 false, pen.ink, TickText(overview.t.low));
    context.Text(ChartRole::Inset, {inner.left + inner.width, baseline}, TextAnchor::End,
                 InsetNumberSize, false, pen.ink, TickText(overview.t.high) + " °C");
    context.drawing.inset = InsetLayout{box, inner, view};
}

// Each curve's name on the curve: RH and water from the end where they leave the view,
// ice from its cold end, where it lies furthest from the water curve.
void AddCurveLabels(const Context& context, LabelPlacer& placer,
                    const std::vector<VisibleCurve>& curves) {
    const double pad = context.Scaled(HaloPad);
    const double size = context.Scaled(CurveLabelSize);
    for (const CurveLabel& label : context.description.curveLabels) {
        const auto curve =
            std::find_if(curves.begin(), curves.end(),
                         [&label](const VisibleCurve& c) { return c.polyline == label.polyline; });
        if (curve == curves.end()) {
            continue;
        }
        const ChartRole role = context.description.polylines[label.polyline].role;
        std::vector<PixelPoint> points;
        for (const std::vector<PixelPoint>& piece : curve->pieces) {
            points.insert(points.end(), piece.begin(), piece.end());
        }
        if (role != ChartRole::IceCurve) {
            std::reverse(points.begin(), points.end());
        }
        const Block block = BlockOf({label.text}, size);
        const double width = block.width + 2 * pad;
        const double height = block.height + 2 * pad;
        if (const auto placed =
                placer.OnCurve(points, static_cast<int>(label.polyline), width, height)) {
            AddBlock(context, *placed, placed->Centre(), {label.text}, CurveLabelSize, role,
                     PenOf(role).ink);
            continue;
        }
        // A curve pressed against the frame has no room for its name on it: beside its end,
        // led to it.
        const PixelPoint end = points.front();
        if (const auto placed =
                placer.Beside(end, width, height, context.Scaled(Gap), LabelSide::Above)) {
            if (placed->leader) {
                context.Line(role, {placed->leader->from, placed->leader->to},
                             {PenOf(role).ink, LeaderWidth});
            }
            AddBlock(context, placed->box, end, {label.text}, CurveLabelSize, role,
                     PenOf(role).ink);
        }
    }
}

} // namespace

void AddLabels(const Context& context, LabelPlacer& placer,
               const std::vector<VisibleCurve>& curves) {
    AddResultLabels(context, placer);
    AddInset(context, placer);
    AddCurveLabels(context, placer, curves);
}

} // namespace chart::layout
