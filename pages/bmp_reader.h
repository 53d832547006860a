// Reading an uncompressed 24-bit BMP file into the store's held layout.
#pragma once

#include "pages/picture_store.h"

#include <optional>
#include <span>

// The picture in `file`, or nothing when the file is not an uncompressed 24-bit BMP
// whose headers agree with each other and whose rows all lie inside `file`.
std::optional<LoadedImage> ReadBmp(std::span<const unsigned char> file);
