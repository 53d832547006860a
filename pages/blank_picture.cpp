#include "pages/blank_picture.h"

#include <cstddef>
#include <new>

std::optional<LoadedImage> MakeBlankPicture(int width, int height) {
    if (width < 1 || width > kMaxPictureSide || height < 1 || height > kMaxPictureSide) {
        return std::nullopt;
    }
    LoadedImage picture;
    picture.width = static_cast<std::int16_t>(width);
    picture.height = static_cast<std::int16_t>(height);
    picture.depth = 24;
    picture.rowSize = HeldRowSize(width);
    // A picture too big for the memory fails the load like any undecodable file.
    try {
        picture.pixels.resize(static_cast<std::size_t>(picture.rowSize) *
                              static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return picture;
}
