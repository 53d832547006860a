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

std::string FixedDecimalText(double magnitude, int decimals) {
    // The largest float has 39 integer digits.
    std::string text(64 + static_cast<std::size_t>(decimals), '\0');
    const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                       std::chars_format::fixed, decimals);
    text.resize(static_cast<std::size_t>(written.ptr - text.data()));
    return text;
}

std::string ShortestText(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}
