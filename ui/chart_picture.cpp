#include "ui/chart_picture.h"

#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <string_view>
#include <utility>
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

} // namespace

std::optional<LoadedImage> DrawChart(const chart::ChartDrawing& drawing) {
    toolkit::DrawnPicture picture(drawing.width, drawing.height);
    if (!picture.IsReady()) {
        return std::nullopt;
    }
    for (const chart::DrawnPolyline& line : drawing.polylines) {
        std::vector<toolkit::Point> points;
        points.reserve(line.points.size());
        for (const chart::PixelPoint& point : line.points) {
            points.push_back(ToPoint(point));
        }
        picture.Polyline(points, {ColourOf(line.ink), line.lineWidth});
    }
    for (const chart::DrawnDot& dot : drawing.dots) {
        picture.FillCircle(ToPoint(dot.centre), dot.radius, ColourOf(dot.ink));
    }
    ChartFontLoader fonts;
    for (const chart::DrawnText& text : drawing.texts) {
        if (fonts.Use(text.size, text.bold)) {
            picture.Text(ChartFont, text.text, ToPoint(text.at), AnchorOf(text.anchor),
                         ColourOf(text.ink));
        }
    }
    toolkit::PixelBuffer pixels = picture.Pixels();
    LoadedImage image;
    image.width = static_cast<std::int16_t>(pixels.width);
    image.height = static_cast<std::int16_t>(pixels.height);
    image.rowSize = pixels.rowSize;
    image.pixels = std::move(pixels.bottomUpBgr);
    return image;
}
