// Encoding a held picture as a JPEG file with libjpeg.
#pragma once

#include "common/pixel_view.h"

#include <cstdio>

// The quality step a saved page is written with, on a scale of 0 to 10.
constexpr int kSavedPageQualityStep = 7;

// Writes `picture` (bottom row first, B, G, R) to `file` as a baseline JFIF with
// libjpeg's defaults and quality qualityStep x 10, the step clamped to 0..10. Returns
// false on any fatal libjpeg error, a failed write among them; `file` then holds an
// incomplete JPEG and stays open.
bool WriteJpeg(const common::PixelView& picture, int qualityStep, std::FILE* file);
