// Drawn pictures with GDI on a DIB section; text smoothed by the font's quality.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"
#include "toolkit/drawing_geometry.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace toolkit {
using namespace win32;

struct DrawnPicture::Impl {
    // Declared in the order they must go back: the selection first, the bitmap last.
    BitmapObject bitmap;
    DcObject dc;
    std::optional<Selection> selected;
    std::uint32_t* bits = nullptr; // top row first, 0x00RRGGBB
    int width = 0;
    int height = 0;
};

namespace {

constexpr int MaxSide = 32767;

COLORREF ToColorRef(Colour colour) {
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// Pixel i covers [i, i + 1) of the picture, as it does for the Qt backend: a one-pixel
// line at 20.5 fills row 20.
int Pixel(double coordinate) {
    return static_cast<int>(std::floor(coordinate));
}

using PenObject = UniqueHandle<HPEN, ReleaseGdiObject>;

// A round-joined, flat-ended pen of the width; one pixel is the thinnest.
PenObject MakePen(const Pen& pen) {
    const int width = std::max(1, static_cast<int>(std::lround(pen.width)));
    if (width == 1) {
        return PenObject(CreatePen(PS_SOLID, 1, ToColorRef(pen.colour)));
    }
    const LOGBRUSH brush{BS_SOLID, ToColorRef(pen.colour), 0};
    return PenObject(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND,
                                  static_cast<DWORD>(width), &brush, 0, nullptr));
}

// The loaded font, grey-smoothed: coloured fringes would show on paper and in a saved
// picture.
FontObject PictureFont(HFONT loaded) {
    LOGFONTW description{};
    if (GetObjectW(loaded, sizeof description, &description) != sizeof description) {
        return {};
    }
    description.lfQuality = ANTIALIASED_QUALITY;
    return FontObject(CreateFontIndirectW(&description));
}

struct TextBox {
    double width = 0;
    double ascent = 0;
    double descent = 0;
};

std::optional<TextBox> Measure(HDC dc, HFONT font, const std::wstring& text) {
    const Selection selected(dc, font);
    TEXTMETRICW metrics{};
    SIZE extent{};
    if (!GetTextMetricsW(dc, &metrics) ||
        !GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent)) {
        return std::nullopt;
    }
    return TextBox{static_cast<double>(extent.cx), static_cast<double>(metrics.tmAscent),
                   static_cast<double>(metrics.tmDescent)};
}

const Font* LoadedFont(int fontId) {
    return State().fonts.Find(fontId);
}

} // namespace

DrawnPicture::DrawnPicture(int width, int height) {
    if (!Started() || width < 1 || height < 1 || width > MaxSide || height > MaxSide) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    auto impl = std::make_unique<Impl>();
    impl->bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    impl->dc.reset(CreateCompatibleDC(nullptr));
    if (!impl->bitmap || !impl->dc || bits == nullptr) {
        return;
    }
    impl->selected.emplace(impl->dc.get(), impl->bitmap.get());
    impl->bits = static_cast<std::uint32_t*>(bits);
    impl->width = width;
    impl->height = height;
    PatBlt(impl->dc.get(), 0, 0, width, height, WHITENESS);
    SetBkMode(impl->dc.get(), TRANSPARENT);
    impl_ = std::move(impl);
}

DrawnPicture::~DrawnPicture() = default;
DrawnPicture::DrawnPicture(DrawnPicture&&) noexcept = default;
DrawnPicture& DrawnPicture::operator=(DrawnPicture&&) noexcept = default;

void DrawnPicture::Polyline(std::span<const Point> points, const Pen& pen) {
    if (!impl_ || points.size() < 2) {
        return;
    }
    const PenObject gdiPen = MakePen(pen);
    if (!gdiPen) {
        return;
    }
    const Selection selected(impl_->dc.get(), gdiPen.get());
    std::vector<POINT> corners;
    corners.reserve(points.size());
    for (const Point& point : points) {
        corners.push_back({Pixel(point.x), Pixel(point.y)});
    }
    ::Polyline(impl_->dc.get(), corners.data(), static_cast<int>(corners.size()));
}

void DrawnPicture::FillCircle(Point centre, double radius, Colour colour) {
    if (!impl_ || radius <= 0) {
        return;
    }
    const BrushObject brush(CreateSolidBrush(ToColorRef(colour)));
    if (!brush) {
        return;
    }
    const Selection withBrush(impl_->dc.get(), brush.get());
    const Selection withoutPen(impl_->dc.get(), GetStockObject(NULL_PEN));
    // Without a pen GDI leaves out the right and bottom edges: one more pixel each way.
    Ellipse(impl_->dc.get(), Pixel(centre.x - radius), Pixel(centre.y - radius),
            Pixel(centre.x + radius) + 1, Pixel(centre.y + radius) + 1);
}

void DrawnPicture::Text(int fontId, std::string_view text, Point at, unsigned anchor,
                        Colour colour) {
    const Font* const loaded = LoadedFont(fontId);
    if (!impl_ || loaded == nullptr || text.empty()) {
        return;
    }
    const FontObject font = PictureFont(loaded->handle.get());
    const std::wstring wide = common::WideFromUtf8(text);
    const std::optional<TextBox> box =
        font ? Measure(impl_->dc.get(), font.get(), wide) : std::nullopt;
    if (!box) {
        return;
    }
    const Point start = BaselineStart(anchor, box->width, box->ascent, box->descent);
    const Selection selected(impl_->dc.get(), font.get());
    SetTextColor(impl_->dc.get(), ToColorRef(colour));
    SetTextAlign(impl_->dc.get(), TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    TextOutW(impl_->dc.get(), Pixel(at.x + start.x), Pixel(at.y + start.y), wide.c_str(),
             static_cast<int>(wide.size()));
}

PixelBuffer DrawnPicture::Pixels() const {
    if (!impl_) {
        return {};
    }
    GdiFlush(); // GDI may still hold drawing back from the bits
    return BufferFromTopDownRgb32(impl_->bits, impl_->width, impl_->height, impl_->width);
}

} // namespace toolkit
