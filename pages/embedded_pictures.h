// The ten picture files carried inside the executable.
#pragma once

#include "common/id.h"

#include <span>

// Image ids of the catalogue, in the order the files lie in the data.
enum class ImageId : int {
    ImageLogo = 1,
    PageLicence = 166,
    PageContact = 167,
    PageTale = 170,
    PageTextbook = 171,
    PageAugust = 172,
    PageAssmann = 173,
    PageAirHumidity = 174,
    PageWaterVapour = 175,
    PageTemperatureScales = 176,
};

// The complete file bytes of one catalogue picture (Id(ImageId::...)); empty for an id
// not in it.
std::span<const unsigned char> EmbeddedImage(int imageId);
