#include "batch/text_folding.h"

namespace {

std::string_view TrimSpaces(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// UTF-8 lead bytes 0xD0 and 0xD1 carry U+0400 to U+047F: 0xD0 0x80..0x8F are Ѐ..Џ (lower
// forms 0xD1 0x90..0x9F), 0xD0 0x90..0x9F are А..П (lower 0xD0 0xB0..0xBF) and
// 0xD0 0xA0..0xAF are Р..Я (lower 0xD1 0x80..0x8F).
void LowerCyrillic(unsigned char& lead, unsigned char& trail) {
    if (lead != 0xD0) {
        return;
    }
    if (trail >= 0x80 && trail <= 0x8F) {
        lead = 0xD1;
        trail = static_cast<unsigned char>(trail + 0x10);
    } else if (trail >= 0x90 && trail <= 0x9F) {
        trail = static_cast<unsigned char>(trail + 0x20);
    } else if (trail >= 0xA0 && trail <= 0xAF) {
        lead = 0xD1;
        trail = static_cast<unsigned char>(trail - 0x20);
    }
}

} // namespace

std::string FoldForMatching(std::string_view text) {
    text = TrimSpaces(text);
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto& byte = reinterpret_cast<unsigned char&>(folded[i]);
        if (byte >= 'A' && byte <= 'Z') {
            byte = static_cast<unsigned char>(byte - 'A' + 'a');
        } else if (byte == 0xD0 && i + 1 < folded.size()) {
            LowerCyrillic(byte, reinterpret_cast<unsigned char&>(folded[i + 1]));
            ++i;
        }
    }
    return folded;
}
