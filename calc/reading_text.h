// Whether a field's text holds a proper reading: the rule ReadInputs applies to each text
// just before that text's value check.
#pragma once

#include <cstdint>
#include <string_view>

enum class ReadingTextForm : std::uint8_t {
    Blank,         // no characters, or white space only: the field has no data
    WellFormed,    // one number, at most one unit text after it
    NotWellFormed, // anything else: a decimal comma, letters, a placeholder, other text
};

// Well-formed is: optional white space; a number as ParseDecimal reads it, with at least
// one digit (optional sign, digits with at most one '.', optional exponent with digits);
// optional white space; optionally exactly one of the unit texts the calculator writes
// back ("[°C]", "[hPa]", "[mB]", "[mmHg]", "[m]", whatever the field or unit); optional
// white space; nothing else. "+Infinity", "-Infinity" and "NaN", in any letter case and
// with nothing around them, are well-formed too. White space is what ParseDecimal skips:
// space, tab, line feed, vertical tab, form feed, carriage return.
ReadingTextForm ClassifyReadingText(std::string_view text);
