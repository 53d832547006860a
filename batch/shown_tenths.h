// Values as the table shows them, with one decimal, counted in whole tenths: sums of them are
// exact, so that means and groups do not depend on the order in which rows come.
#pragma once

#include <cstdint>
#include <string>

// The tenths FormatDecimal(value, 1) shows: the exact value rounded half away from zero. A
// finite value only.
std::int64_t ShownTenths(float value);

// "14.3", "-0.3", "0.0": what FormatDecimal writes for the same number of tenths, except
// that no zero has a sign.
std::string TenthsText(std::int64_t tenths);
// The same for a number of hundredths (2 `decimals`), thousandths and so on.
std::string FixedDecimalText(std::int64_t scaled, int decimals);
