#include "batch/logbook_row_reader.h"

#include "batch/decimal_comma.h"
#include "batch/psychrometer_coefficient.h"
#include "batch/reading_names.h"
#include "batch/shown_tenths.h"
#include "batch/synop_groups.h"
#include "batch/wet_bulb_search.h"
#include "calc/float_text.h"
#include "calc/reading_text.h"

#include <cmath>

namespace {

// A corrected reading keeps two decimals: a correction interpolated between two points of
// a certificate is finer than the tenth a thermometer is read to.
constexpr int CorrectedDecimals = 2;

// "-12.5" and the like, as thermometers are written, read as ParseDecimal reads them but
// without the checks that other texts need: every row's two readings pass here.
std::optional<float> PlainReading(std::string_view text) {
    const auto skipDigits = [&text](std::size_t at) {
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        return at;
    };
    const std::size_t integer = text.starts_with('-') ? 1 : 0;
    std::size_t end = skipDigits(integer);
    if (end == integer) {
        return std::nullopt;
    }
    if (end < text.size() && text[end] == '.') {
        const std::size_t fraction = end + 1;
        end = skipDigits(fraction);
        if (end == fraction) {
            return std::nullopt;
        }
    }
    if (end != text.size()) {
        return std::nullopt;
    }
    const NearestSingle read = ReadNearestSingle(text.substr(integer));
    if (!read.whole || read.outOfRange) {
        return std::nullopt;
    }
    return integer == 1 ? -read.value : read.value;
}

bool IsBlank(const std::string& cell) {
    return cell.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

RowReader::RowReader(const LogbookColumns& columns, const ConversionSettings& settings,
                     bool decimalComma)
    : columns_(columns), settings_(settings), decimalComma_(decimalComma) {}

void RowReader::Calculate(const std::vector<std::string>& fields, RowCells& cells) {
    std::optional<ObservationTime> observed;
    std::string_view problem = ObservedAt(fields, observed);
    cells.observed = observed;
    if (problem.empty()) {
        problem = CalculateReadings(fields, cells);
    }
    if (!problem.empty()) {
        cells.error = problem;
        return;
    }
    if (settings_.synop && cells.error.empty()) {
        cells.synop = {TemperatureGroup('1', cells.reading.dryBulb),
                       TemperatureGroup('2', cells.reading.result.dewPoint)};
    }
}

std::string_view RowReader::CalculateReadings(const std::vector<std::string>& fields,
                                              RowCells& cells) {
    const MessageLanguage language = settings_.language;
    RowReadings row;
    const std::optional<BarometerUnit> unit = UnitOf(fields);
    if (!unit) {
        return UnknownUnitMessage(language);
    }
    const std::optional<PsychrometerType> type = TypeOf(fields);
    if (!type) {
        return UnknownTypeMessage(language);
    }
    const std::optional<BulbChoice> bulb = BulbOf(fields);
    if (!bulb) {
        return UnknownBulbMessage(language);
    }
    if (!CoefficientOf(fields, row.coefficient)) {
        return BadCoefficientMessage(language);
    }
    row.unit = *unit;
    row.type = *type;
    row.bulb = *bulb;
    pressure_ = fields[PressureColumn(*unit)];
    dryBulb_ = fields[columns_.dryBulb];
    if (columns_.wetBulb) {
        wetBulb_ = fields[*columns_.wetBulb];
    } else {
        wetBulb_.clear();
    }
    if (decimalComma_) {
        UseDecimalPoint(pressure_);
        UseDecimalPoint(dryBulb_);
        UseDecimalPoint(wetBulb_);
    }
    if (const std::string_view problem = CorrectReadings(cells); !problem.empty()) {
        return problem;
    }
    row.pressureText = pressure_;
    row.dryBulbText = dryBulb_;
    if (!columns_.wetBulb) {
        if (const std::string_view problem = FindWetBulb(fields, row); !problem.empty()) {
            return problem;
        }
        cells.computedWetBulb = wetBulb_;
    }
    row.wetBulbText = wetBulb_;
    CalculateRow(row, settings_.extended, language, cells);
    return {};
}

std::string_view RowReader::CorrectReadings(RowCells& cells) {
    if (settings_.corrections.Empty()) {
        return {};
    }
    if (!Correct(Thermometer::Dry, dryBulb_, cells.corrected[0], cells.observed)) {
        return NoCertificateMessage(Thermometer::Dry, settings_.language);
    }
    if (columns_.wetBulb &&
        !Correct(Thermometer::Wet, wetBulb_, cells.corrected[1], cells.observed)) {
        return NoCertificateMessage(Thermometer::Wet, settings_.language);
    }
    return {};
}

// An empty cell says nothing; a time without a date has no day to belong to, but is
// checked all the same.
std::string_view RowReader::ObservedAt(const std::vector<std::string>& fields,
                                       std::optional<ObservationTime>& observed) const {
    if (columns_.date && !IsBlank(fields[*columns_.date])) {
        observed = ParseObservationDate(fields[*columns_.date]);
        if (!observed) {
            return BadDateMessage(settings_.language);
        }
    }
    if (columns_.time && !IsBlank(fields[*columns_.time])) {
        const std::optional<std::uint16_t> minute = ParseClockTime(fields[*columns_.time]);
        if (!minute) {
            return BadTimeMessage(settings_.language);
        }
        if (observed) {
            observed->minuteOfDay = minute;
        }
    }
    return {};
}

std::optional<BarometerUnit> RowReader::UnitOf(const std::vector<std::string>& fields) const {
    if (columns_.unit && !fields[*columns_.unit].empty()) {
        return ParseUnitName(fields[*columns_.unit]);
    }
    if (settings_.unit) {
        return settings_.unit;
    }
    return columns_.pressure ? BarometerUnit::Hpa : BarometerUnit::Altitude;
}

std::optional<PsychrometerType> RowReader::TypeOf(const std::vector<std::string>& fields) const {
    if (columns_.type && !fields[*columns_.type].empty()) {
        return ParseTypeName(fields[*columns_.type]);
    }
    return settings_.type.value_or(PsychrometerType::Aspirated);
}

std::optional<BulbChoice> RowReader::BulbOf(const std::vector<std::string>& fields) const {
    if (columns_.bulb && !fields[*columns_.bulb].empty()) {
        return ParseBulbName(fields[*columns_.bulb], false);
    }
    return settings_.bulb;
}

bool RowReader::CoefficientOf(const std::vector<std::string>& fields,
                              std::optional<float>& coefficient) {
    if (columns_.coefficient && !IsBlank(fields[*columns_.coefficient])) {
        cell_ = fields[*columns_.coefficient];
        if (decimalComma_) {
            UseDecimalPoint(cell_);
        }
        coefficient = ParseCoefficient(cell_);
        return coefficient.has_value();
    }
    coefficient = settings_.coefficient;
    return true;
}

// A logbook with both columns gives the altitude for rows in metres and the pressure
// for the others; with one of them, that one serves every unit.
std::size_t RowReader::PressureColumn(BarometerUnit unit) const {
    if (unit == BarometerUnit::Altitude) {
        return columns_.altitude.value_or(*columns_.pressure);
    }
    return columns_.pressure.value_or(*columns_.altitude);
}

bool RowReader::Correct(Thermometer thermometer, std::string& text, std::string& record,
                        const std::optional<ObservationTime>& observed) const {
    std::optional<float> reading = PlainReading(text);
    if (!reading && ClassifyReadingText(text) == ReadingTextForm::WellFormed &&
        std::isfinite(ParseDecimal(text))) {
        reading = ParseDecimal(text);
    }
    if (!reading) {
        return true;
    }
    const std::optional<double> correction = settings_.corrections.For(
        thermometer, *reading, observed ? std::optional(DayNumber(*observed)) : std::nullopt);
    if (!correction) {
        return false;
    }
    const double hundredths = std::round((*reading + *correction) * 100);
    text = FixedDecimalText(static_cast<std::int64_t>(hundredths), CorrectedDecimals);
    record = text;
    return true;
}

std::string_view RowReader::FindWetBulb(const std::vector<std::string>& fields,
                                        const RowReadings& row) {
    const MessageLanguage language = settings_.language;
    // The pressure and the dry bulb are checked first, as for a read wet bulb.
    const ReadOutcome base =
        ReadInputs(row.pressureText, row.dryBulbText, row.dryBulbText, row.unit);
    if (const auto* message = std::get_if<std::string>(&base)) {
        message_ = InLanguage(*message, language);
        return message_;
    }
    const bool relative = columns_.relativeHumidity.has_value();
    cell_ = fields[relative ? *columns_.relativeHumidity : *columns_.dewPoint];
    if (decimalComma_) {
        UseDecimalPoint(cell_);
    }
    const ReadingTextForm form = ClassifyReadingText(cell_);
    const float value = ParseDecimal(cell_);
    if (form == ReadingTextForm::Blank) {
        return relative ? NoRelativeHumidityMessage(language) : NoDewPointMessage(language);
    }
    if (form != ReadingTextForm::WellFormed || !std::isfinite(value) ||
        (relative && (value < 0 || value > 100))) {
        return relative ? BadRelativeHumidityMessage(language) : BadDewPointMessage(language);
    }
    WetBulbQuestion question;
    question.readings = std::get<InputReadings>(base);
    question.type = row.type;
    question.bulb = row.bulb;
    question.coefficient = row.coefficient;
    question.given = relative ? GivenHumidity::RelativeHumidity : GivenHumidity::DewPoint;
    question.value = value;
    const std::optional<std::int32_t> tenths = FindWetBulbTenths(question);
    if (!tenths) {
        return UnreachedHumidityMessage(language);
    }
    wetBulb_ = TenthsText(*tenths);
    return {};
}
