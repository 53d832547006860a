#include "batch/chart_range.h"

#include "calc/float_text.h"

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
    const bool negative = number.starts_with('-');
    const std::string_view magnitude = std::string_view(number).substr(negative ? 1 : 0);
    if (magnitude.empty() || magnitude.find('-') != std::string_view::npos) {
        return std::nullopt;
    }
    const NearestSingle read = ReadNearestSingle(magnitude);
    if (!read.whole || read.outOfRange) {
        return std::nullopt;
    }
    return negative ? -read.value : read.value;
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
