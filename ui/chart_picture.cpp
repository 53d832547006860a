#include "ui/chart_picture.h"

#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

constexpr int ChartFont = Id(PictureFontId::ChartFont);
// The layout reckons with Arial's widths; Linux and Wine map the name onto a face of the
// same widths, so the chart's texts take the room the layout gave them everywhere.
constexpr std::string_view ChartFace = "Arial";

// The window's chart stands on white: a see-through ink is that ink laid on white.
toolkit::Colour ColourOf(chart::ChartInk ink) {
    const auto onWhite = [alpha = ink.alpha](int channel) {
        return 255 - (255 - channel) * alpha / 255;
    };
    return toolkit::Rgb(onWhite(ink.red), onWhite(ink.green), onWhite(ink.blue));
}

toolkit::Point ToPoint(chart::PixelPoint point) {
    return {point.x, point.y};
}

unsigned AnchorOf(chart::TextAnchor anchor) {
    switch (anchor) {
    case chart::TextAnchor::Start:
        return toolkit::AnchorLeft | toolkit::AnchorBaseline;
    case chart::TextAnchor::Middle:
        return toolkit::AnchorCentre | toolkit::AnchorBaseline;
    case chart::TextAnchor::End:
        return toolkit::AnchorRight | toolkit::AnchorBaseline;
    }
    return toolkit::AnchorBaseline;
}

// The texts come grouped by what they show, so one font id loaded again whenever the size
// or weight changes costs a handful of loads.
class ChartFontLoader {
  public:
    bool Use(double size, bool bold) {
        if (loaded_ && size == size_ && bold == bold_) {
            return true;
        }
        loaded_ = toolkit::LoadPictureFont(ChartFont, ChartFace, size, bold ? toolkit::Bold : 0);
        size_ = size;
        bold_ = bold;
        return loaded_;
    }

  private:
    bool loaded_ = false;
    double size_ = 0;
    bool bold_ = false;
};

// Draws each shape of the layout in its order; the toolkit's few operations are enough.
class ShapeDrawer {
  public:
    explicit ShapeDrawer(toolkit::DrawnPicture& picture) : picture_(picture) {}

    void operator()(const chart::DrawnPolyline& line) {
        if (line.dash > 0) {
            for (const std::vector<chart::PixelPoint>& dash :
                 chart::Dashed(line.points, line.dash, line.gap)) {
                Polyline(dash, ColourOf(line.ink), line.lineWidth);
            }
        } else {
            Polyline(line.points, ColourOf(line.ink), line.lineWidth);
        }
    }

    void operator()(const chart::DrawnDot& dot) {
        picture_.FillCircle(ToPoint(dot.centre), dot.radius, ColourOf(dot.ink));
    }

    // A filled rectangle is a line as thick as the rectangle is tall, cut square at its
    // ends; an outline is a closed line around it.
    void operator()(const chart::DrawnRect& rect) {
        const chart::PixelBox& box = rect.box;
        if (rect.fill.alpha > 0) {
            const double middle = (box.top + box.bottom) / 2;
            Polyline(std::vector<chart::PixelPoint>{{box.left, middle}, {box.right, middle}},
                     ColourOf(rect.fill), box.Height());
        }
        if (rect.strokeWidth > 0) {
            Polyline(std::vector<chart::PixelPoint>{{box.left, box.top},
                                                    {box.right, box.top},
                                                    {box.right, box.bottom},
                                                    {box.left, box.bottom},
                                                    {box.left, box.top}},
                     ColourOf(rect.stroke), rect.strokeWidth);
        }
    }

    void operator()(const chart::DrawnText& text) {
        if (fonts_.Use(text.size, text.bold)) {
            picture_.Text(ChartFont, text.text, ToPoint(text.at), AnchorOf(text.anchor),
                          ColourOf(text.ink));
        }
    }

  private:
    void Polyline(const std::vector<chart::PixelPoint>& line, toolkit::Colour colour,
                  double width) {
        std::vector<toolkit::Point> points;
        points.reserve(line.size());
        for (const chart::PixelPoint& point : line) {
            points.push_back(ToPoint(point));
        }
        picture_.Polyline(points, {colour, width});
    }

    toolkit::DrawnPicture& picture_;
    ChartFontLoader fonts_;
};

} // namespace

std::optional<LoadedImage> DrawChart(const chart::ChartDrawing& drawing) {
    toolkit::DrawnPicture picture(drawing.width, drawing.height);
    if (!picture.IsReady()) {
        return std::nullopt;
    }
    ShapeDrawer drawer(picture);
    for (const chart::DrawnShape& shape : drawing.shapes) {
        std::visit(drawer, shape);
    }
    toolkit::PixelBuffer pixels = picture.Pixels();
    LoadedImage image;
    image.width = static_cast<std::int16_t>(pixels.width);
    image.height = static_cast<std::int16_t>(pixels.height);
    image.rowSize = pixels.rowSize;
    image.pixels = std::move(pixels.bottomUpBgr);
    return image;
}
