#include "internal/pixel_image.h"

namespace toolkit {

namespace {

const unsigned char* SourceRow(const common::PixelView& view, int y) {
    return view.bottomUpBgr + static_cast<std::ptrdiff_t>(view.height - 1 - y) * view.rowSize;
}

} // namespace

QImage ToQImage(const common::PixelView& view) {
    if (view.empty() || view.rowSize < view.width * 3) {
        return {};
    }
    QImage image(view.width, view.height, QImage::Format_RGB888);
    if (image.isNull()) {
        return {};
    }
    for (int y = 0; y < view.height; ++y) {
        const unsigned char* source = SourceRow(view, y);
        unsigned char* target = image.scanLine(y);
        for (int x = 0; x < view.width; ++x, source += 3, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return image;
}

QImage ToScreenImage(const common::PixelView& view) {
    if (view.empty() || view.rowSize < view.width * 3) {
        return {};
    }
    QImage image(view.width, view.height, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    for (int y = 0; y < view.height; ++y) {
        const unsigned char* source = SourceRow(view, y);
        auto* const target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < view.width; ++x, source += 3) {
            target[x] = qRgb(source[2], source[1], source[0]);
        }
    }
    return image;
}

} // namespace toolkit
