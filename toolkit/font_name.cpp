#include "toolkit/font_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace toolkit {
namespace {

bool SameWord(std::string_view word, std::string_view style) {
    return word.size() == style.size() &&
           std::equal(word.begin(), word.end(), style.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

FaceName SplitFaceName(std::string_view fullName) {
    FaceName face;
    std::string_view rest = TrimRight(fullName);
    while (true) {
        const std::size_t space = rest.rfind(' ');
        if (space == std::string_view::npos) {
            break; // the family keeps at least one word
        }
        const std::string_view word = rest.substr(space + 1);
        if (SameWord(word, "Bold")) {
            face.bold = true;
        } else if (SameWord(word, "Italic") || SameWord(word, "Oblique")) {
            face.italic = true;
        } else if (!SameWord(word, "Regular")) {
            break;
        }
        rest = TrimRight(rest.substr(0, space));
    }
    face.family = std::string(rest);
    return face;
}

int CharacterHeightPixels(int sizePoints, double dotsPerInch) {
    return static_cast<int>(std::lround(static_cast<double>(sizePoints) * dotsPerInch / 72.0));
}

} // namespace toolkit
