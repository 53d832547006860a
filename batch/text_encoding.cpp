#include "batch/text_encoding.h"

#include "batch/text_folding.h"

#include <array>

namespace {

// Code points of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are А to я in order. 0x98 has no
// character of its own and keeps its C1 code point, so that it survives a round trip.
constexpr std::array<char16_t, 64> Windows1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
constexpr char32_t Replacement = 0xFFFD;

char32_t Windows1251Code(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= 0xC0) {
        return 0x0410 + (byte - 0xC0);
    }
    return Windows1251High[byte - 0x80];
}

std::optional<char> Windows1251Byte(char32_t code) {
    if (code < 0x80) {
        return static_cast<char>(code);
    }
    if (code >= 0x0410 && code <= 0x044F) {
        return static_cast<char>(0xC0 + (code - 0x0410));
    }
    for (std::size_t i = 0; i < Windows1251High.size(); ++i) {
        if (Windows1251High[i] == code) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// The length of the UTF-8 sequence `lead` starts, 0 for a byte no sequence starts with.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The code point at `at` (advanced past it), Replacement for an invalid or cut sequence.
char32_t NextCode(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || at + length > text.size()) {
        ++at;
        return Replacement;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto trail = static_cast<unsigned char>(text[at + i]);
        if ((trail & 0xC0) != 0x80) {
            ++at;
            return Replacement;
        }
        code = (code << 6) | (trail & 0x3F);
    }
    at += length;
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? Replacement : code;
}

void AppendUtf16(char32_t code, bool bigEndian, std::string& out) {
    const auto unit = [&](char32_t value) {
        const char high = static_cast<char>(value >> 8);
        const char low = static_cast<char>(value & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    if (code < 0x10000) {
        unit(code);
        return;
    }
    code -= 0x10000;
    unit(0xD800 + (code >> 10));
    unit(0xDC00 + (code & 0x3FF));
}

} // namespace

std::optional<TextEncoding> ParseEncodingName(std::string_view name) {
    const std::string folded = FoldForMatching(name);
    if (folded == "utf-8" || folded == "utf8") {
        return TextEncoding::Utf8;
    }
    if (folded == "windows-1251" || folded == "cp1251") {
        return TextEncoding::Windows1251;
    }
    if (folded == "utf-16" || folded == "utf-16le") {
        return TextEncoding::Utf16Le;
    }
    if (folded == "utf-16be") {
        return TextEncoding::Utf16Be;
    }
    return std::nullopt;
}

bool IsValidUtf8Start(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(bytes[at]));
        if (length > 1 && at + length > bytes.size()) {
            // Cut off by the end: valid so far when the bytes present are trail bytes.
            for (std::size_t i = at + 1; i < bytes.size(); ++i) {
                if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
                    return false;
                }
            }
            return true;
        }
        if (NextCode(bytes, at) == Replacement) {
            return false;
        }
    }
    return true;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendWindows1251AsUtf8(std::string_view bytes, std::string& out) {
    for (const char byte : bytes) {
        AppendUtf8(Windows1251Code(static_cast<unsigned char>(byte)), out);
    }
}

void AppendEncoded(std::string_view utf8, TextEncoding encoding, std::string& out) {
    if (encoding == TextEncoding::Utf8) {
        out += utf8;
        return;
    }
    std::size_t at = 0;
    while (at < utf8.size()) {
        const char32_t code = NextCode(utf8, at);
        if (encoding == TextEncoding::Windows1251) {
            out += Windows1251Byte(code).value_or('?');
        } else {
            AppendUtf16(code, encoding == TextEncoding::Utf16Be, out);
        }
    }
}

std::string_view ByteOrderMark(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return "\xEF\xBB\xBF";
    case TextEncoding::Utf16Le:
        return "\xFF\xFE";
    case TextEncoding::Utf16Be:
        return "\xFE\xFF";
    case TextEncoding::Windows1251:
        break;
    }
    return {};
}
