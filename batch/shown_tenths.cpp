#include "batch/shown_tenths.h"

#include <cmath>

std::int64_t ShownTenths(float value) {
    // A float has 24 significant bits, so ten times it is exact in a double and llround
    // rounds the exact value, as FormatDecimal does.
    return std::llround(static_cast<double>(value) * 10);
}

std::string TenthsText(std::int64_t tenths) {
    return FixedDecimalText(tenths, 1);
}

std::string FixedDecimalText(std::int64_t scaled, int decimals) {
    std::uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    // Written from the last digit back: this is on the path of every row.
    char digits[48];
    char* at = digits + sizeof digits;
    for (int place = 0; place <= decimals || magnitude > 0; ++place) {
        if (place == decimals) {
            *--at = '.';
        }
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (scaled < 0) {
        *--at = '-';
    }
    return std::string(at, digits + sizeof digits);
}
