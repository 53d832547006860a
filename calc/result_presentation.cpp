#include "calc/result_presentation.h"

#include "calc/float_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr int MostDecimals = 512;

// Rounds the decimal digits of |value| ("123.4567", cut after one decimal more than
// wanted, never rounded) half away from zero to `decimals` decimals: printf and to_chars
// would round ties to even.
std::string RoundAwayFromZero(std::string_view exact, int decimals) {
    const std::size_t point = exact.find('.');
    std::string digits(exact.substr(0, point));
    digits += exact.substr(point + 1, static_cast<std::size_t>(decimals));
    const bool roundUp = exact[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') {
            digits[--at] = '0';
        }
        if (at == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[at - 1];
        }
    }
    if (decimals == 0) {
        return digits;
    }
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    return digits;
}

} // namespace

std::string FormatDecimal(float value, int decimals) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "+Infinity" : "-Infinity";
    }
    decimals = std::clamp(decimals, 0, MostDecimals);
    std::string text;
    if (value < 0) { // an exact zero of either sign is not below zero and loses its sign
        text = "-";
    }
    text += RoundAwayFromZero(TruncatedDecimalText(std::fabs(value), decimals + 1), decimals);
    return text;
}

std::string ResultText(ResultQuantity quantity, float value) {
    // The leading spaces differ from field to field, and are part of what the user sees.
    std::string_view unit;
    switch (quantity) {
    case ResultQuantity::AbsoluteHumidity:
        unit = " [g/m3]";
        break;
    case ResultQuantity::RelativeHumidity:
        unit = " [%]";
        break;
    case ResultQuantity::DewPoint:
        unit = "  [°C]";
        break;
    case ResultQuantity::SaturationPressure:
    case ResultQuantity::VapourPressure:
        unit = " [hPa]";
        break;
    }
    return FormatDecimal(value, 1) + std::string(unit);
}
