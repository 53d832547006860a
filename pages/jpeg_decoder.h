// Decoding a JPEG file from memory with libjpeg into the store's held layout.
#pragma once

#include "pages/picture_store.h"

#include <optional>
#include <span>

// The picture in `file`, or nothing when libjpeg cannot read it, its colour space is
// unknown, a side exceeds 32767 pixels or the memory cannot be had. Damage that libjpeg
// only warns about (corrupt entropy data, a missing end) still yields a picture. Never
// reads past the end of `file`.
std::optional<LoadedImage> DecodeJpeg(std::span<const unsigned char> file);
