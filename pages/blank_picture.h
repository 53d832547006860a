// Allocating the pixel buffer of a picture in the store's held layout.
#pragma once

#include "pages/picture_store.h"

#include <optional>

// The largest width or height a held picture can have (its fields are 16-bit signed).
constexpr int kMaxPictureSide = 32767;

// Bytes per held row: three per pixel, padded to a multiple of 4.
constexpr int HeldRowSize(int width) {
    return (width * 3 + 3) / 4 * 4;
}

// A zero-filled 24-bit picture of width x height, or nothing when a side lies outside
// 1..kMaxPictureSide or the memory cannot be had.
std::optional<LoadedImage> MakeBlankPicture(int width, int height);
