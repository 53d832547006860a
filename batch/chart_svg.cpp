#include "batch/chart_svg.h"

#include <cinttypes>
#include <string>

namespace {

using chart::ChartInk;
using chart::PixelPoint;

// Two decimals are a hundredth of a pixel: more would only grow the file.
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string Colour(const ChartInk& ink) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", ink.red, ink.green, ink.blue);
    return text;
}

// SVG 1.1 takes no alpha in a colour; what is see-through says so in an opacity.
std::string Opacity(std::string_view attribute, const ChartInk& ink) {
    if (ink.alpha == 255) {
        return {};
    }
    return " " + std::string(attribute) + "=\"" + Number(ink.alpha / 255.0) + "\"";
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

class SvgWriter {
  public:
    explicit SvgWriter(std::FILE* out) : out_(out) {}

    void Put(std::string_view text) {
        if (!text.empty() && std::fwrite(text.data(), 1, text.size(), out_) != text.size()) {
            failed_ = true;
        }
    }

    bool Finished() { return !failed_ && std::fflush(out_) == 0 && !std::ferror(out_); }

    void Polyline(const chart::DrawnPolyline& line) {
        std::string points;
        for (const PixelPoint& point : line.points) {
            points += Number(point.x) + "," + Number(point.y) + " ";
        }
        if (!points.empty()) {
            points.pop_back();
        }
        Put("<polyline points=\"" + points + "\" stroke=\"" + Colour(line.ink) +
            "\" stroke-width=\"" + Number(line.lineWidth) + "\"" +
            Opacity("stroke-opacity", line.ink) + "/>\n");
    }

    void Dot(PixelPoint centre, double radius, const ChartInk& ink) {
        Put("<circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" +
            Number(radius) + "\" fill=\"" + Colour(ink) + "\"" + Opacity("fill-opacity", ink) +
            "/>\n");
    }

    void Text(const chart::DrawnText& text) {
        Put("<text x=\"" + Number(text.at.x) + "\" y=\"" + Number(text.at.y) + "\" font-size=\"" +
            Number(text.size) + "\" text-anchor=\"" + std::string(AnchorName(text.anchor)) +
            "\" fill=\"" + Colour(text.ink) + "\"" + (text.bold ? " font-weight=\"bold\"" : "") +
            ">" + EscapedForSvg(text.text) + "</text>\n");
    }

  private:
    std::FILE* out_;
    bool failed_ = false;
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

bool WriteChartSvg(const chart::ChartDrawing& drawing, std::span<const chart::ChartPoint> points,
                   std::FILE* out) {
    SvgWriter svg(out);
    const std::string width = std::to_string(drawing.width);
    const std::string height = std::to_string(drawing.height);
    svg.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
            width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height + "\">\n");
    svg.Put("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
    // The result texts keep their own spacing ("17.1  [°C]").
    svg.Put("<g font-family=\"" + std::string(chart::ChartFontFamily) +
            "\" xml:space=\"preserve\" fill=\"none\" stroke-linejoin=\"round\" "
            "stroke-linecap=\"round\">\n");
    for (const chart::DrawnPolyline& line : drawing.polylines) {
        svg.Polyline(line);
    }
    if (!points.empty()) {
        // One group holds the logbook's style, so that each point costs one short element.
        const chart::DrawnDot& dot = drawing.logbookDot;
        svg.Put("<g fill=\"" + Colour(dot.ink) + "\"" + Opacity("fill-opacity", dot.ink) + ">\n");
        const std::string radius = Number(dot.radius);
        for (const chart::ChartPoint& point : points) {
            const PixelPoint at = drawing.frame.ToPixel(point);
            svg.Put("<circle cx=\"" + Number(at.x) + "\" cy=\"" + Number(at.y) + "\" r=\"" +
                    radius + "\"/>\n");
        }
        svg.Put("</g>\n");
    }
    for (const chart::DrawnDot& dot : drawing.dots) {
        svg.Dot(dot.centre, dot.radius, dot.ink);
    }
    for (const chart::DrawnText& text : drawing.texts) {
        svg.Text(text);
    }
    svg.Put("</g>\n</svg>\n");
    return svg.Finished();
}
