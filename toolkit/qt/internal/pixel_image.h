// Converting the program's plain pixel views into Qt images.
#pragma once

#include "common/pixel_view.h"

#include <QImage>

namespace toolkit {

// A top-down RGB copy of the bottom-up B,G,R rows; a null image for an empty view.
QImage ToQImage(const common::PixelView& view);

// The same picture in the screen's own 32-bit format, so that a pixmap can take the
// image's memory over instead of keeping a converted copy beside it.
QImage ToScreenImage(const common::PixelView& view);

} // namespace toolkit
