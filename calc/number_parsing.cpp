// The two text-to-number conversions of the input fields. Both stop at the end of the
// number, because the fields are read back after unit texts have been appended to them.
#include "calc/float_text.h"
#include "calc/input_reading.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The white space that a "%f" scan skips, in the C locale.
bool IsScanWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    return text.size() == word.size() &&
           std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(a) == lower(b);
           });
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The unsigned number at the start of `text` (digits with at most one '.', then an
// exponent only when digits follow it); empty when there are no mantissa digits.
std::string_view LeadingUnsignedNumber(std::string_view text) {
    const std::size_t integerEnd = SkipDigits(text, 0);
    std::size_t end = integerEnd;
    bool anyDigit = integerEnd > 0;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return {};
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponentDigits = end + 1;
        if (exponentDigits < text.size() &&
            (text[exponentDigits] == '+' || text[exponentDigits] == '-')) {
            ++exponentDigits;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponentDigits);
        if (exponentEnd > exponentDigits) {
            end = exponentEnd;
        }
    }
    return text.substr(0, end);
}

// Rough decimal magnitude of a well-formed unsigned number: positive for values of at
// least 1, negative below. Only used to tell overflow from underflow, where the two lie
// dozens of orders apart, so saturating the exponent is harmless.
long DecimalMagnitude(std::string_view number) {
    const std::size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    long exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::size_t at = exponentAt + 1;
        const bool negative = number[at] == '-';
        if (number[at] == '+' || number[at] == '-') {
            ++at;
        }
        for (; at < number.size(); ++at) {
            exponent = std::min(exponent * 10 + (number[at] - '0'), 1'000'000L);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_not_of("0.");
    if (firstSignificant == std::string_view::npos) {
        return std::numeric_limits<long>::min(); // zero
    }
    const long position = firstSignificant < point
                              ? static_cast<long>(point - firstSignificant)
                              : -static_cast<long>(firstSignificant - point - 1);
    return exponent + position;
}

float ToNearestSingle(std::string_view number) {
    const NearestSingle read = ReadNearestSingle(number);
    if (read.outOfRange) {
        // As strtof: too large becomes infinity, too small becomes zero.
        return DecimalMagnitude(number) > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    }
    return read.whole ? read.value : 0.0f;
}

} // namespace

float ParseDecimal(std::string_view text) {
    if (EqualsIgnoringCase(text, "+Infinity")) {
        return std::numeric_limits<float>::infinity();
    }
    if (EqualsIgnoringCase(text, "-Infinity")) {
        return -std::numeric_limits<float>::infinity();
    }
    if (EqualsIgnoringCase(text, "NaN")) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    std::size_t at = 0;
    while (at < text.size() && IsScanWhiteSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::string_view number = LeadingUnsignedNumber(text.substr(at));
    if (number.empty()) {
        return 0.0f;
    }
    const float magnitude = ToNearestSingle(number);
    return negative ? -magnitude : magnitude;
}

std::int64_t ParseInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    unsigned base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    } else if (at < text.size() && text[at] == '%') {
        base = 2;
        ++at;
    }
    // Unsigned arithmetic wraps exactly as the two's-complement accumulation must.
    std::uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        unsigned digit = base;
        if (IsDigit(c)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        }
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    if (negative) {
        value = ~value + 1;
    }
    return static_cast<std::int64_t>(value);
}
