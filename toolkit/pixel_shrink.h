// Shrinking a picture for the screen straight from the store's pixels.
#pragma once

#include "common/pixel_view.h"

#include <cstddef>
#include <cstdint>

namespace toolkit {

// Writes source shrunk to width x height into target, top row first, one 0xFFRRGGBB
// word a pixel (the screen format of both backends), rowWords words from one row to the
// next. Each target pixel is the average of the source area it covers, edge pixels
// weighed by the part covered, so text and thin lines stay legible at any ratio. Reads
// the store's bottom-up B,G,R rows in place: no full-size copy exists beside the result.
// Does nothing when the view is empty or the size is not smaller or equal in both
// directions.
void ShrinkPicture(const common::PixelView& source, int width, int height, std::uint32_t* target,
                   std::ptrdiff_t rowWords);

} // namespace toolkit
