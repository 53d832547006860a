// Emscripten's libc++ has neither from_chars nor to_chars for floats yet. Its C library
// knows no locale but "C", so strtof and snprintf use '.' there, exact as the C++
// conversions are.
#include "calc/float_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The exact powers of ten a float holds.
constexpr std::array<float, 11> PowersOfTen = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                               1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// A reading as a logbook has them, at most seven digits and a small exponent: the digits and
// the power of ten are exact floats, so one float product or quotient is correctly rounded.
// strtof would work through Emscripten's software long double, many times slower.
bool ReadShortNumber(std::string_view number, float& value) {
    std::uint32_t digits = 0;
    int significant = 0;
    int exponent = 0;
    std::size_t at = 0;
    bool point = false;
    for (; at < number.size(); ++at) {
        const char c = number[at];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') {
            break;
        }
        if (digits != 0 || c != '0') {
            if (++significant > 7) {
                return false;
            }
        }
        digits = digits * 10 + static_cast<std::uint32_t>(c - '0');
        exponent -= point ? 1 : 0;
    }
    if (at < number.size()) {
        if (number[at] != 'e' && number[at] != 'E') {
            return false;
        }
        std::size_t next = at + 1;
        const bool negative = next < number.size() && number[next] == '-';
        next += next < number.size() && (number[next] == '-' || number[next] == '+') ? 1 : 0;
        if (next == number.size() || number.size() - next > 3) {
            return false;
        }
        int written = 0;
        for (; next < number.size(); ++next) {
            if (number[next] < '0' || number[next] > '9') {
                return false;
            }
            written = written * 10 + (number[next] - '0');
        }
        exponent += negative ? -written : written;
    }
    if (exponent < -10 || exponent > 10) {
        return false;
    }
    const float whole = static_cast<float>(digits); // below 10^7 < 2^24: exact
    value = exponent < 0 ? whole / PowersOfTen[static_cast<std::size_t>(-exponent)]
                         : whole * PowersOfTen[static_cast<std::size_t>(exponent)];
    return true;
}

} // namespace

NearestSingle ReadNearestSingle(std::string_view number) {
    NearestSingle read;
    if (ReadShortNumber(number, read.value)) {
        read.whole = true;
        return read;
    }
    const std::string text(number);
    char* end = nullptr;
    errno = 0;
    read.value = std::strtof(text.c_str(), &end);
    // strtof also says ERANGE of a subnormal result, which from_chars takes as it is.
    read.outOfRange = errno == ERANGE && (read.value == 0 || std::isinf(read.value));
    read.whole = !read.outOfRange && end == text.c_str() + text.size();
    return read;
}

namespace {

// A multi-word unsigned integer, least significant word first: a float's whole part has at
// most 128 bits, its fraction at most 149 below the point.
using Words = std::array<std::uint32_t, 8>;

// Adds `value` × 2^offset into `number`, where it fits.
void AddShifted(Words& number, std::uint64_t value, int offset) {
    std::size_t word = static_cast<std::size_t>(offset / 32);
    const int shift = offset % 32;
    // value << shift spans three words at most.
    const std::uint64_t low = value << shift;
    const std::uint64_t high = shift == 0 ? 0 : value >> (64 - shift);
    const std::uint32_t pieces[3] = {static_cast<std::uint32_t>(low),
                                     static_cast<std::uint32_t>(low >> 32),
                                     static_cast<std::uint32_t>(high)};
    std::uint64_t carry = 0;
    for (std::size_t part = 0; part < 3 && word < number.size(); ++part, ++word) {
        const std::uint64_t sum = std::uint64_t{number[word]} + pieces[part] + carry;
        number[word] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
}

void AppendWholeDigits(Words number, std::string& text) {
    char digits[48];
    std::size_t count = 0;
    do {
        std::uint64_t remainder = 0;
        for (auto word = number.rbegin(); word != number.rend(); ++word) {
            const std::uint64_t current = (remainder << 32) | *word;
            *word = static_cast<std::uint32_t>(current / 10);
            remainder = current % 10;
        }
        digits[count++] = static_cast<char>('0' + remainder);
    } while (std::any_of(number.begin(), number.end(), [](std::uint32_t w) { return w != 0; }));
    while (count > 0) {
        text += digits[--count];
    }
}

} // namespace

// From the bits themselves: snprintf would work in Emscripten's software long double, a
// hundred times slower, and a logbook formats five results a row.
std::string TruncatedDecimalText(float magnitude, int decimals) {
    int exponent = 0;
    const float fraction = std::frexp(magnitude, &exponent);
    const auto bits = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const int point = 24 - exponent; // magnitude = bits / 2^point, exactly
    Words whole{};
    // The fraction as a number of 32 × words bits below the point.
    Words part{};
    const int words = point > 0 ? (point + 31) / 32 : 0;
    if (point <= 0) {
        AddShifted(whole, bits, -point);
    } else {
        if (point < 64) {
            AddShifted(whole, bits >> point, 0);
        }
        const std::uint64_t below = point < 64 ? bits & ((std::uint64_t{1} << point) - 1) : bits;
        AddShifted(part, below, 32 * words - point);
    }
    std::string text;
    text.reserve(48 + static_cast<std::size_t>(decimals));
    AppendWholeDigits(whole, text);
    if (decimals > 0) {
        text += '.';
    }
    for (int digit = 0; digit < decimals; ++digit) {
        std::uint64_t carry = 0;
        for (int word = 0; word < words; ++word) {
            const std::uint64_t product = std::uint64_t{part[word]} * 10 + carry;
            part[word] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        text += static_cast<char>('0' + carry);
    }
    return text;
}

// The chart's tick values lie where to_chars writes the fixed form: the fewest decimals
// that read back as the value.
std::string ShortestText(float value) {
    char text[64];
    for (int decimals = 0; decimals < 50; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) {
            break;
        }
    }
    return text;
}
