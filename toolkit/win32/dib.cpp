#include "internal/dib.h"

namespace toolkit::win32 {

Dib DibOf(const common::PixelView& view) {
    Dib dib;
    if (view.empty() || view.rowSize < view.width * 3) {
        return dib;
    }
    BITMAPINFOHEADER& header = dib.header.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = view.width;
    header.biHeight = view.height; // positive: bottom row first, as the view has it
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    dib.pixels.resize(static_cast<std::size_t>(view.width) * static_cast<std::size_t>(view.height));
    std::uint32_t* target = dib.pixels.data();
    for (int y = 0; y < view.height; ++y) {
        const unsigned char* source =
            view.bottomUpBgr + static_cast<std::ptrdiff_t>(y) * view.rowSize;
        for (int x = 0; x < view.width; ++x, source += 3) {
            *target++ = static_cast<std::uint32_t>(source[0]) |
                        static_cast<std::uint32_t>(source[1]) << 8 |
                        static_cast<std::uint32_t>(source[2]) << 16;
        }
    }
    return dib;
}

BitmapObject BitmapOf(const common::PixelView& view, int width, int height) {
    const Dib dib = DibOf(view);
    if (dib.pixels.empty()) {
        return {};
    }
    const bool scaled = width > 0 && height > 0;
    const int targetWidth = scaled ? width : view.width;
    const int targetHeight = scaled ? height : view.height;
    const WindowDc screen(nullptr);
    BitmapObject bitmap(CreateCompatibleBitmap(screen.get(), targetWidth, targetHeight));
    DcObject target(CreateCompatibleDC(screen.get()));
    if (!bitmap || !target) {
        return {};
    }
    const Selection into(target.get(), bitmap.get());
    // Halftone averages the pixels a reduction drops, as a smooth scaling does.
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchDIBits(target.get(), 0, 0, targetWidth, targetHeight, 0, 0, view.width, view.height,
                  dib.pixels.data(), &dib.header, DIB_RGB_COLORS, SRCCOPY);
    return bitmap;
}

} // namespace toolkit::win32
