// How a font request of the program turns into a family, styles and a pixel size.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

// A full face name such as "Arial Bold Italic": the family and the styles its
// trailing words carry.
struct FaceName {
    std::string family;
    bool bold = false;
    bool italic = false;
};

FaceName SplitFaceName(std::string_view fullName);

// Character height in pixels for a size in points at the given vertical resolution,
// rounded to nearest with halves away from zero.
int CharacterHeightPixels(int sizePoints, double dotsPerInch);

} // namespace toolkit
