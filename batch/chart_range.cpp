#include "batch/chart_range.h"

#include <charconv>
#include <string>

namespace {

constexpr float Furthest = 100; // °C either side of 0
constexpr float Narrowest = 1;  // °C

std::optional<float> Temperature(std::string_view text) {
    std::string number(text);
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        } else if (c != '-' && c != '.' && (c < '0' || c > '9')) {
            return std::nullopt; // no exponents, no "inf", no signs but the leading minus
        }
    }
    float value = 0;
    const char* const end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (number.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<chart::ChartRange> ParseChartRange(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<float> low = Temperature(text.substr(0, colon));
    const std::optional<float> high = Temperature(text.substr(colon + 1));
    if (!low || !high || *high - *low < Narrowest || *low < -Furthest || *high > Furthest) {
        return std::nullopt;
    }
    return chart::ChartRange{*low, *high};
}
