// libstdc++ converts floats with from_chars and to_chars, which never look at the locale.
#include "calc/float_text.h"

#include <charconv>

NearestSingle ReadNearestSingle(std::string_view number) {
    NearestSingle read;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(),
                                              read.value, std::chars_format::general);
    read.outOfRange = error == std::errc::result_out_of_range;
    read.whole = error == std::errc{} && end == number.data() + number.size();
    return read;
}

std::string TruncatedDecimalText(float magnitude, int decimals) {
    // A float widened to double has at most 149 binary fraction digits, so 150 decimals
    // write its exact value and nothing is rounded; the digits after them are zeros.
    constexpr int ExactDecimals = 150;
    char text[64 + ExactDecimals]; // the largest float has 39 integer digits
    const auto written = std::to_chars(text, text + sizeof text, static_cast<double>(magnitude),
                                       std::chars_format::fixed, ExactDecimals);
    std::string digits(text, written.ptr);
    const std::size_t point = digits.find('.');
    digits.resize(decimals > 0 ? point + 1 + static_cast<std::size_t>(decimals) : point, '0');
    return digits;
}

std::string ShortestText(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}
