// Daily or monthly means of a logbook, gathered row by row while its table is written: one
// small record per day or month, never the rows, so that a logbook of any length and in any
// order gives the same summary in the same memory.
#pragma once

#include "batch/logbook_conversion.h"
#include "batch/logbook_row.h"

#include <cstdint>
#include <cstdio>
#include <map>

enum class SummaryPeriod : std::uint8_t { Day, Month };

class LogbookSummary {
  public:
    explicit LogbookSummary(SummaryPeriod period) : period_(period) {}

    // Every row of the table, computed or not; a row without a date is only counted.
    void Add(const RowCells& cells);
    std::uint64_t UndatedRows() const { return undatedRows_; }

    // One row per period with computed rows, in the order of the calendar: the rows of the
    // period and how many were computed, the means of Tdry, е, RH and F over the values the
    // table shows, the dew point of the mean е (at the mean Tdry and pressure, by the
    // calculator's own formula), and the lowest RH with when it was observed. False when a
    // write failed.
    bool Write(std::FILE* out, const OutputFormat& format) const;

  private:
    // Sums in tenths, as the table shows the values: exact, whatever the order of the rows.
    struct Period {
        std::uint64_t rows = 0;
        std::uint64_t computed = 0;
        std::int64_t dryBulb = 0;
        std::int64_t vapourPressure = 0;
        std::int64_t relativeHumidity = 0;
        std::int64_t absoluteHumidity = 0;
        std::int64_t pressure = 0;
        std::int64_t lowestRelativeHumidity = 0;
        ObservationTime lowestAt;
    };

    SummaryPeriod period_;
    std::map<std::int32_t, Period> periods_;
    // Rows of one day come together in most logbooks.
    std::int32_t lastKey_ = -1;
    Period* last_ = nullptr;
    std::uint64_t undatedRows_ = 0;
};
