// Turning results into the texts the calculator shows.
#pragma once

#include <string>

// value with `decimals` (0 to 512) decimals, '.' as decimal point whatever the locale;
// "+Infinity", "-Infinity", "NaN" for the special values. The exact binary value is
// rounded, ties away from zero; a count outside 0 to 512 is taken as the nearer bound.
std::string FormatDecimal(float value, int decimals);
