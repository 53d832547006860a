// When a logbook row was observed, from its date column and its time column (or the time
// written after the date).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct ObservationTime {
    std::int32_t year = 0;
    std::uint8_t month = 0; // 1 to 12
    std::uint8_t day = 0;   // 1 to the month's last day
    // Minutes after midnight, when the row gives its time.
    std::optional<std::uint16_t> minuteOfDay;

    friend bool operator==(const ObservationTime&, const ObservationTime&) = default;
};

// A number for the day alone that sorts as the days do: 20240501 for 1 May 2024.
constexpr std::int32_t DayNumber(const ObservationTime& time) {
    return time.year * 10000 + time.month * 100 + time.day;
}

// A calendar date as observers write it, `YYYY-MM-DD` or `DD.MM.YYYY` (the day and month of
// the latter with one or two digits), optionally followed by a time after a space or `T`.
// Surrounding spaces aside, anything else, or a day the calendar does not have, is refused.
std::optional<ObservationTime> ParseObservationDate(std::string_view text);

// `HH:MM`, optionally `:SS` (seconds are dropped), the hour with one or two digits, 0:00 to
// 23:59; as minutes after midnight.
std::optional<std::uint16_t> ParseClockTime(std::string_view text);
