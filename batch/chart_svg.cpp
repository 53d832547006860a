#include "batch/chart_svg.h"

#include <map>
#include <string>
#include <tuple>
#include <variant>

namespace {

using chart::ChartInk;
using chart::ChartRole;
using chart::PixelPoint;

// Two decimals are a hundredth of a pixel: more would only grow the file.
std::string Number(double value, int decimals = 2) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Colour(const ChartInk& ink) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", ink.red, ink.green, ink.blue);
    return text;
}

// SVG 1.1 takes no alpha in a colour; what is see-through says so in an opacity.
std::string Paint(std::string_view attribute, const ChartInk& ink) {
    std::string paint = " " + std::string(attribute) + "=\"" + Colour(ink) + "\"";
    if (ink.alpha != 255) {
        paint += " " + std::string(attribute) + "-opacity=\"" + Number(ink.alpha / 255.0) + "\"";
    }
    return paint;
}

std::string_view ClassOf(ChartRole role) {
    switch (role) {
    case ChartRole::Axis:
        return "axis";
    case ChartRole::Plot:
        return "plot";
    case ChartRole::Grid:
        return "grid";
    case ChartRole::SaturationCurve:
        return "saturation";
    case ChartRole::IceCurve:
        return "ice";
    case ChartRole::HumidityCurve:
        return "humidity";
    case ChartRole::Construction:
        return "construction";
    case ChartRole::StatePoint:
        return "state-point";
    case ChartRole::Label:
        return "label";
    case ChartRole::Title:
        return "title";
    case ChartRole::Inset:
        return "inset";
    case ChartRole::Point:
        return "point";
    case ChartRole::Cell:
        return "cell";
    case ChartRole::Legend:
        return "legend";
    }
    return "chart";
}

std::string Class(ChartRole role, bool halo = false) {
    return "class=\"" + std::string(ClassOf(role)) + (halo ? " halo" : "") + "\"";
}

std::string_view AnchorName(chart::TextAnchor anchor) {
    switch (anchor) {
    case chart::TextAnchor::Start:
        return "start";
    case chart::TextAnchor::Middle:
        return "middle";
    case chart::TextAnchor::End:
        return "end";
    }
    return "start";
}

class SvgText {
  public:
    std::string Take() && { return std::move(svg_); }

    void Put(std::string_view text) { svg_ += text; }

    void operator()(const chart::DrawnPolyline& line) {
        if (line.points.size() < 2) {
            return;
        }
        Put("<polyline " + Class(line.role) + " points=\"");
        for (std::size_t at = 0; at < line.points.size(); ++at) {
            Put((at > 0 ? " " : "") + Number(line.points[at].x) + "," + Number(line.points[at].y));
        }
        Put("\"" + Paint("stroke", line.ink) + " stroke-width=\"" + Number(line.lineWidth) + "\"");
        if (line.dash > 0) {
            Put(" stroke-dasharray=\"" + Number(line.dash) + " " + Number(line.gap) + "\"");
        }
        Put("/>\n");
    }

    void operator()(const chart::DrawnDot& dot) {
        Put("<circle " + Class(dot.role) + " cx=\"" + Number(dot.centre.x) + "\" cy=\"" +
            Number(dot.centre.y) + "\" r=\"" + Number(dot.radius) + "\"" + Paint("fill", dot.ink) +
            "/>\n");
    }

    void operator()(const chart::DrawnRect& rect) {
        const chart::PixelBox& box = rect.box;
        Put("<rect " + Class(rect.role, rect.halo) + " x=\"" + Number(box.left) + "\" y=\"" +
            Number(box.top) + "\" width=\"" + Number(box.Width()) + "\" height=\"" +
            Number(box.Height()) + "\"" +
            (rect.fill.alpha == 0 ? std::string(" fill=\"none\"") : Paint("fill", rect.fill)));
        if (rect.strokeWidth > 0) {
            Put(Paint("stroke", rect.stroke) + " stroke-width=\"" + Number(rect.strokeWidth) +
                "\"");
        }
        Put("/>\n");
    }

    void operator()(const chart::DrawnText& text) {
        Put("<text " + Class(text.role) + " x=\"" + Number(text.at.x) + "\" y=\"" +
            Number(text.at.y) + "\" font-size=\"" + Number(text.size) + "\" text-anchor=\"" +
            std::string(AnchorName(text.anchor)) + "\"" + Paint("fill", text.ink) +
            (text.bold ? " font-weight=\"bold\"" : "") + ">" + EscapedForSvg(text.text) +
            "</text>\n");
    }

    // A logbook's cells of one shade as one path of squares: a few bytes a cell, so that
    // a chart of any logbook stays small and opens at once.
    void Cells(const std::vector<const chart::DrawnRect*>& cells) {
        std::map<std::tuple<int, int, int, int>, std::string> byShade;
        for (const chart::DrawnRect* cell : cells) {
            const ChartInk& ink = cell->fill;
            std::string& path = byShade[{ink.red, ink.green, ink.blue, ink.alpha}];
            const chart::PixelBox& box = cell->box;
            // By its edges, which its neighbours share to the last digit: no gaps between.
            const std::string left = Number(box.left, 1);
            path += "M" + left + " " + Number(box.top, 1) + "H" + Number(box.right, 1) + "V" +
                    Number(box.bottom, 1) + "H" + left + "z";
        }
        for (const auto& [shade, path] : byShade) {
            const auto [red, green, blue, alpha] = shade;
            const ChartInk ink{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                               static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(alpha)};
            // Square edges: smoothed, neighbouring cells would show hairlines between them.
            Put("<path " + Class(ChartRole::Cell) + Paint("fill", ink) +
                " shape-rendering=\"crispEdges\" d=\"" + path + "\"/>\n");
        }
    }

  private:
    std::string svg_;
};

} // namespace

std::string EscapedForSvg(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            // XML 1.0 has no place for the other control characters, not even escaped.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') {
                escaped += c;
            }
        }
    }
    return escaped;
}

std::string ChartSvg(const chart::ChartDrawing& drawing) {
    SvgText svg;
    const std::string width = std::to_string(drawing.width);
    const std::string height = std::to_string(drawing.height);
    svg.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
            width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height + "\">\n");
    svg.Put("<rect class=\"background\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
    // The result texts keep their own spacing ("17.1  [°C]").
    svg.Put("<g font-family=\"" + EscapedForSvg(chart::ChartFontList) +
            "\" xml:space=\"preserve\" fill=\"none\" stroke-linejoin=\"round\" "
            "stroke-linecap=\"butt\">\n");
    std::vector<const chart::DrawnRect*> cells;
    for (const chart::DrawnShape& shape : drawing.shapes) {
        const auto* rect = std::get_if<chart::DrawnRect>(&shape);
        if (rect != nullptr && rect->role == ChartRole::Cell) {
            cells.push_back(rect);
            continue;
        }
        if (!cells.empty()) {
            svg.Cells(cells);
            cells.clear();
        }
        std::visit(svg, shape);
    }
    svg.Cells(cells);
    svg.Put("</g>\n</svg>\n");
    return std::move(svg).Take();
}

std::string ReadingChartSvg(const chart::ChartReading& reading, int width, int height) {
    return ChartSvg(chart::LayOutChart(chart::DescribeReading(reading), width, height));
}

bool WriteChartSvg(std::string_view svg, std::FILE* out) {
    return std::fwrite(svg.data(), 1, svg.size(), out) == svg.size() && std::fflush(out) == 0 &&
           !std::ferror(out);
}
