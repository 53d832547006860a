#include "chart/text_metrics.h"

#include <array>
#include <cstdint>

namespace chart {
namespace {

// Advance widths in thousandths of an em: printable ASCII from the space on, then the
// Cyrillic capitals and small letters from А to я.
constexpr std::array<std::uint16_t, 95> AsciiWidths = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
constexpr std::array<std::uint16_t, 64> CyrillicWidths = {
    667, 656, 667, 542, 677, 667, 923, 604, 719, 719, 583, 656, 833, 722, 778,  719,
    667, 722, 611, 635, 760, 667, 740, 666, 916, 938, 792, 885, 656, 719, 1010, 722,
    556, 573, 531, 365, 583, 556, 669, 458, 559, 559, 438, 583, 688, 552, 556,  542,
    556, 500, 458, 500, 823, 500, 573, 521, 802, 823, 625, 719, 521, 510, 750,  542};
constexpr std::uint16_t DegreeWidth = 400;
constexpr std::uint16_t MinusWidth = 584; // −
constexpr std::uint16_t OtherWidth = 1000;
// Faces round each letter's advance to whole pixels at small sizes, and bold is wider.
constexpr double RoundingAllowance = 0.04;
constexpr double PerLetterAllowance = 0.25; // pixels
constexpr double BoldWidening = 1.1;

std::uint16_t WidthOf(char32_t letter) {
    if (letter >= 0x20 && letter < 0x7F) {
        return AsciiWidths[letter - 0x20];
    }
    if (letter >= 0x410 && letter < 0x450) {
        return CyrillicWidths[letter - 0x410];
    }
    if (letter == U'°') {
        return DegreeWidth;
    }
    if (letter == U'−') {
        return MinusWidth;
    }
    if (letter == U'ё' || letter == U'Ё') {
        return CyrillicWidths[letter == U'ё' ? 0x435 - 0x410 : 0x415 - 0x410];
    }
    return OtherWidth;
}

} // namespace

double EstimatedTextWidth(std::string_view text, double size, bool bold) {
    double thousandths = 0;
    std::size_t letters = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t letter = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t more = 1; more < length && at + more < text.size(); ++more) {
            letter = (letter << 6) | (static_cast<unsigned char>(text[at + more]) & 0x3F);
        }
        thousandths += WidthOf(letter);
        ++letters;
        at += length;
    }
    const double width = thousandths / 1000 * size * (1 + RoundingAllowance) +
                         PerLetterAllowance * static_cast<double>(letters);
    return bold ? width * BoldWidening : width;
}

PixelBox TextBoxAt(PixelPoint at, TextAnchor anchor, double width, double size) {
    const double left = anchor == TextAnchor::Start    ? at.x
                        : anchor == TextAnchor::Middle ? at.x - width / 2
                                                       : at.x - width;
    return {left, at.y - TextAscent * size, left + width, at.y + TextDescent * size};
}

} // namespace chart
