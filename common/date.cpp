#include "common/date.h"

#include <cctype>

namespace common {
namespace {

// Days from 1970-01-01 to year/month/day of the proleptic Gregorian calendar
// (Howard Hinnant's days_from_civil), exact for any 64-bit year range we meet.
constexpr std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

constexpr CivilTime CivilFromSeconds(Date seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
    return {year,
            month,
            day,
            static_cast<unsigned>(rest / 3600),
            static_cast<unsigned>(rest / 60 % 60),
            static_cast<unsigned>(rest % 60)};
}

void AppendTwoDigits(std::string& out, std::int64_t value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

bool StartsWithToken(std::string_view rest, std::string_view token) {
    if (rest.size() < token.size()) {
        return false;
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(rest[i])) != token[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

CivilTime SplitDate(Date date) {
    return CivilFromSeconds(date);
}

Date JoinDate(const CivilTime& time) {
    return DaysFromCivil(time.year, time.month, time.day) * 86400 + time.hour * 3600 +
           time.minute * 60 + time.second;
}

std::string FormatDate(std::string_view mask, Date date) {
    const CivilTime t = SplitDate(date);
    std::string out;
    out.reserve(mask.size() + 8);
    std::size_t i = 0;
    while (i < mask.size()) {
        const std::string_view rest = mask.substr(i);
        if (rest[0] != '%') {
            out += rest[0];
            ++i;
        } else if (StartsWithToken(rest, "%yyyy")) {
            const std::int64_t year = t.year < 0 ? -t.year : t.year;
            if (t.year < 0) {
                out += '-';
            }
            const std::string digits = std::to_string(year);
            out.append(digits.size() < 4 ? 4 - digits.size() : 0, '0');
            out += digits;
            i += 5;
        } else if (StartsWithToken(rest, "%yy")) {
            AppendTwoDigits(out, ((t.year % 100) + 100) % 100);
            i += 3;
        } else if (StartsWithToken(rest, "%mm")) {
            AppendTwoDigits(out, t.month);
            i += 3;
        } else if (StartsWithToken(rest, "%dd")) {
            AppendTwoDigits(out, t.day);
            i += 3;
        } else if (StartsWithToken(rest, "%hh")) {
            AppendTwoDigits(out, t.hour);
            i += 3;
        } else if (StartsWithToken(rest, "%ii")) {
            AppendTwoDigits(out, t.minute);
            i += 3;
        } else if (StartsWithToken(rest, "%ss")) {
            AppendTwoDigits(out, t.second);
            i += 3;
        } else {
            out += '%';
            ++i;
        }
    }
    return out;
}

} // namespace common
