// The steps between floats and their decimal texts that each platform's C++ library offers
// differently. Every one has '.' as the decimal point whatever the locale.
#pragma once

#include <string>
#include <string_view>

struct NearestSingle {
    float value = 0;
    bool outOfRange = false; // too large or too small for a float: `value` is to be ignored
    bool whole = false;      // the whole text was read as the number
};

// `number`, digits with at most one '.' and an optional exponent, rounded to the nearest
// float.
NearestSingle ReadNearestSingle(std::string_view number);

// The digits of `magnitude` (finite, not negative) cut after `decimals` decimals, never
// rounded: every digit written is the value's own.
std::string TruncatedDecimalText(float magnitude, int decimals);

// The shortest text that reads back as `value`, as std::to_chars writes it.
std::string ShortestText(float value);
