// Local date and time, and its formatting with the program's masks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// Seconds since 1970-01-01 00:00:00 of the local calendar: split as universal time,
// the number gives back the local fields. 64-bit, so it has no 2038 limit.
using Date = std::int64_t;

// This moment on the local clock (one file per platform).
Date CurrentDate();

struct CivilTime {
    std::int64_t year;
    unsigned month, day, hour, minute, second;
};

// The calendar fields of a date. Plain integer arithmetic with no allocation and no
// locale, so the fatal-error handler may use it too.
CivilTime SplitDate(Date date);

// The date of the calendar fields: the inverse of SplitDate.
Date JoinDate(const CivilTime& time);

// Copies the mask, replacing the tokens %yyyy %yy %mm %dd %hh %ii %ss (any letter case).
std::string FormatDate(std::string_view mask, Date date);

} // namespace common
