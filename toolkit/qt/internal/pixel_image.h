// Converting the program's plain pixel views into Qt images.
#pragma once

#include "common/pixel_view.h"

#include <QImage>

namespace toolkit {

// A top-down RGB copy of the bottom-up B,G,R rows; a null image for an empty view.
QImage ToQImage(const common::PixelView& view);

} // namespace toolkit
