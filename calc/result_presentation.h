// Turning results into the texts the calculator shows.
#pragma once

#include <cstdint>
#include <string>

// value with `decimals` (0 to 512) decimals, '.' as decimal point whatever the locale;
// "+Infinity", "-Infinity", "NaN" for the special values. The exact binary value is
// rounded, ties away from zero; a count outside 0 to 512 is taken as the nearer bound.
std::string FormatDecimal(float value, int decimals);

// The five results of the model, in the order of the calculator's output fields.
enum class ResultQuantity : std::uint8_t {
    AbsoluteHumidity,
    RelativeHumidity,
    DewPoint,
    SaturationPressure,
    VapourPressure,
};

// A result as its output field shows it: one decimal, then the field's unit text.
std::string ResultText(ResultQuantity quantity, float value);
