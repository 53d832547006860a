#include "internal/dib.h"

namespace toolkit::win32 {

BITMAPINFO DibHeader(const common::PixelView& view) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = view.width;
    info.bmiHeader.biHeight = view.height; // positive: bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

BitmapObject BitmapOf(const common::PixelView& view, int width, int height) {
    if (view.empty() || view.rowSize < view.width * 3) {
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
    const BITMAPINFO info = DibHeader(view);
    StretchDIBits(target.get(), 0, 0, targetWidth, targetHeight, 0, 0, view.width, view.height,
                  view.bottomUpBgr, &info, DIB_RGB_COLORS, SRCCOPY);
    return bitmap;
}

} // namespace toolkit::win32
