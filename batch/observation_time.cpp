#include "batch/observation_time.h"

#include <charconv>

namespace {

constexpr int MinutesPerHour = 60;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Exactly `minDigits` to `maxDigits` decimal digits at the front of `text`, taken off it.
std::optional<int> TakeNumber(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t digits = 0;
    while (digits < text.size() && digits < maxDigits && text[digits] >= '0' &&
           text[digits] <= '9') {
        ++digits;
    }
    if (digits < minDigits ||
        (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return value;
}

bool Take(std::string_view& text, char separator) {
    if (text.empty() || text.front() != separator) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month) {
    constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

std::optional<ObservationTime> CalendarDay(std::optional<int> year, std::optional<int> month,
                                           std::optional<int> day) {
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysIn(*year, *month)) {
        return std::nullopt;
    }
    ObservationTime time;
    time.year = *year;
    time.month = static_cast<std::uint8_t>(*month);
    time.day = static_cast<std::uint8_t>(*day);
    return time;
}

std::optional<ObservationTime> TakeDate(std::string_view& text) {
    if (text.size() >= 5 && text[4] == '-') {
        const std::optional<int> year = TakeNumber(text, 4, 4);
        const std::optional<int> month = Take(text, '-') ? TakeNumber(text, 2, 2) : std::nullopt;
        const std::optional<int> day = Take(text, '-') ? TakeNumber(text, 2, 2) : std::nullopt;
        return CalendarDay(year, month, day);
    }
    const std::optional<int> day = TakeNumber(text, 1, 2);
    const std::optional<int> month = Take(text, '.') ? TakeNumber(text, 1, 2) : std::nullopt;
    const std::optional<int> year = Take(text, '.') ? TakeNumber(text, 4, 4) : std::nullopt;
    return CalendarDay(year, month, day);
}

} // namespace

std::optional<std::uint16_t> ParseClockTime(std::string_view text) {
    text = Trimmed(text);
    const std::optional<int> hour = TakeNumber(text, 1, 2);
    if (!hour || *hour > 23 || !Take(text, ':')) {
        return std::nullopt;
    }
    const std::optional<int> minute = TakeNumber(text, 2, 2);
    if (!minute || *minute >= MinutesPerHour) {
        return std::nullopt;
    }
    if (Take(text, ':')) {
        const std::optional<int> second = TakeNumber(text, 2, 2);
        if (!second || *second >= 60) {
            return std::nullopt;
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*hour * MinutesPerHour + *minute);
}

std::optional<ObservationTime> ParseObservationDate(std::string_view text) {
    text = Trimmed(text);
    std::optional<ObservationTime> date = TakeDate(text);
    if (!date || text.empty()) {
        return date;
    }
    if (text.front() != ' ' && text.front() != 'T') {
        return std::nullopt;
    }
    date->minuteOfDay = ParseClockTime(text.substr(1));
    return date->minuteOfDay ? date : std::nullopt;
}
