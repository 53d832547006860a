#include "calc/result_presentation.h"

#include "calc/float_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr int MostDecimals = 512;

// A float widened to double has at most 149 binary fraction digits, so this many decimal
// digits write its exact value: no rounding happens inside the conversion, and ties can be
// rounded away from zero below (printf and to_chars would round them to even).
constexpr int ExactDecimals = 150;

// Rounds the exact decimal digits of |value| ("123.4567...") half away from zero to
// `decimals` decimals.
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
    const std::string exactText =
        FixedDecimalText(std::fabs(static_cast<double>(value)), ExactDecimals);

    std::string text;
    if (value < 0) { // an exact zero of either sign is not below zero and loses its sign
        text = "-";
    }
    if (decimals < ExactDecimals) {
        text += RoundAwayFromZero(exactText, decimals);
    } else {
        text += exactText;
        text.append(static_cast<std::size_t>(decimals - ExactDecimals), '0');
    }
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
