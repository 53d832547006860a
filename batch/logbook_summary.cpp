#include "batch/logbook_summary.h"

#include "batch/decimal_comma.h"
#include "batch/shown_tenths.h"
#include "calc/humidity_model.h"
#include "calc/result_presentation.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::array<std::string_view, 10> Header = {
    "period", "rows",     "computed", "Tdry [°C]",     "е [hPa]",
    "RH [%]", "F [g/m3]", "Td [°C]",  "lowest RH [%]", "lowest RH at"};

constexpr int MinutesPerHour = 60;

std::string Padded(int value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(text.size() < width ? width - text.size() : 0, '0') + text;
}

std::string DayText(std::int32_t dayNumber) {
    return Padded(dayNumber / 10000, 4) + "-" + Padded(dayNumber / 100 % 100, 2) + "-" +
           Padded(dayNumber % 100, 2);
}

std::string TimeText(const ObservationTime& time) {
    std::string text = DayText(DayNumber(time));
    if (time.minuteOfDay) {
        text += " " + Padded(*time.minuteOfDay / MinutesPerHour, 2) + ":" +
                Padded(*time.minuteOfDay % MinutesPerHour, 2);
    }
    return text;
}

// Earlier in the day first; a row without its time counts as the day's start.
bool IsEarlier(const ObservationTime& time, const ObservationTime& than) {
    const auto key = [](const ObservationTime& t) {
        return std::pair(DayNumber(t), t.minuteOfDay ? int{*t.minuteOfDay} : -1);
    };
    return key(time) < key(than);
}

// The mean in tenths, rounded half away from zero as the table rounds.
std::int64_t MeanTenths(std::int64_t sum, std::uint64_t count) {
    const auto total = static_cast<std::uint64_t>(sum < 0 ? -sum : sum);
    const auto mean = static_cast<std::int64_t>((2 * total + count) / (2 * count));
    return sum < 0 ? -mean : mean;
}

float InUnits(std::int64_t tenths) {
    return static_cast<float>(static_cast<double>(tenths) / 10);
}

} // namespace

void LogbookSummary::Add(const RowCells& cells) {
    if (!cells.observed) {
        ++undatedRows_;
        return;
    }
    const ObservationTime& observed = *cells.observed;
    const std::int32_t day = DayNumber(observed);
    const std::int32_t key = period_ == SummaryPeriod::Day ? day : day / 100;
    if (last_ == nullptr || key != lastKey_) {
        last_ = &periods_[key];
        lastKey_ = key;
    }
    Period& period = *last_;
    ++period.rows;
    if (!cells.error.empty()) {
        return;
    }
    ++period.computed;
    const chart::ChartReading& reading = cells.reading;
    period.dryBulb += ShownTenths(reading.dryBulb);
    period.vapourPressure += ShownTenths(reading.result.vapourPressure);
    period.absoluteHumidity += ShownTenths(reading.result.absoluteHumidity);
    period.pressure += ShownTenths(reading.pressure);
    const std::int64_t relativeHumidity = ShownTenths(reading.result.relativeHumidity);
    period.relativeHumidity += relativeHumidity;
    if (period.computed == 1 || relativeHumidity < period.lowestRelativeHumidity ||
        (relativeHumidity == period.lowestRelativeHumidity &&
         IsEarlier(observed, period.lowestAt))) {
        period.lowestRelativeHumidity = relativeHumidity;
        period.lowestAt = observed;
    }
}

bool LogbookSummary::Write(std::FILE* out, const OutputFormat& format) const {
    CsvWriter writer(out, format.delimiter, format.crlf, format.encoding);
    BeginTable(writer, format);
    for (const std::string_view name : Header) {
        writer.Field(name);
    }
    writer.EndRecord();
    for (const auto& [key, period] : periods_) {
        if (period.computed == 0) {
            continue;
        }
        writer.Field(period_ == SummaryPeriod::Day
                         ? DayText(key)
                         : Padded(key / 100, 4) + "-" + Padded(key % 100, 2));
        writer.Field(std::to_string(period.rows));
        writer.Field(std::to_string(period.computed));
        const std::int64_t dryBulb = MeanTenths(period.dryBulb, period.computed);
        const std::int64_t vapourPressure = MeanTenths(period.vapourPressure, period.computed);
        const float dewPoint =
            DewPointOfVapourPressure(InUnits(vapourPressure), InUnits(dryBulb),
                                     InUnits(MeanTenths(period.pressure, period.computed)));
        std::array<std::string, 6> values = {
            TenthsText(dryBulb),
            TenthsText(vapourPressure),
            TenthsText(MeanTenths(period.relativeHumidity, period.computed)),
            TenthsText(MeanTenths(period.absoluteHumidity, period.computed)),
            FormatDecimal(dewPoint, 1),
            TenthsText(period.lowestRelativeHumidity)};
        for (std::string& value : values) {
            if (format.decimalComma) {
                UseDecimalComma(value);
            }
            writer.Field(value);
        }
        writer.Field(TimeText(period.lowestAt));
        writer.EndRecord();
    }
    return writer.Flush();
}
