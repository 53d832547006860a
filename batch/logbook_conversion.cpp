#include "batch/logbook_conversion.h"

#include "batch/csv_reader.h"
#include "batch/csv_writer.h"
#include "batch/file_failure_text.h"
#include "batch/logbook_columns.h"
#include "batch/logbook_row.h"
#include "batch/reading_names.h"
#include "batch/row_shape.h"
#include "batch/text_folding.h"
#include "batch/two_languages.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::string_view, 5> ResultHeader = {"F [g/m3]", "RH [%]", "Td [°C]",
                                                          "E [hPa]", "е [hPa]"};
constexpr std::array<std::string_view, 3> ExtrasHeader = {"r [g/kg]", "q [g/kg]", "h [kJ/kg]"};
constexpr std::string_view ErrorHeader = "error";
// Ours, when the logbook has an error column of its own.
constexpr std::string_view OwnErrorHeader = "error (zorvel)";
constexpr std::uint64_t ProgressEveryRows = 1 << 14;

// Spreadsheets set to a locale with a decimal comma write 20,5 where the calculator reads
// 20.5; with ',' as delimiter a comma cannot be part of a number anyway.
bool ReadsDecimalComma(char delimiter) {
    return delimiter == ';' || delimiter == '\t';
}

void UseDecimalPoint(std::string& text) {
    std::replace(text.begin(), text.end(), ',', '.');
}

// A spreadsheet with a decimal comma reads "14.3" as a date or a text.
void UseDecimalComma(RowCells& cells) {
    for (std::string& result : cells.results) {
        std::replace(result.begin(), result.end(), '.', ',');
    }
    for (std::string& extra : cells.extras) {
        std::replace(extra.begin(), extra.end(), '.', ',');
    }
}

// What one row needs besides its cells: the layout and the defaults for missing cells.
class RowReader {
  public:
    RowReader(const LogbookColumns& columns, const ConversionSettings& settings, bool decimalComma)
        : columns_(columns), settings_(settings), decimalComma_(decimalComma) {}

    RowCells Calculate(const std::vector<std::string>& fields) {
        std::optional<ObservationTime> observed;
        if (const std::string_view problem = ObservedAt(fields, observed); !problem.empty()) {
            return Refused(problem);
        }
        RowCells cells = CalculateReadings(fields);
        cells.observed = observed;
        return cells;
    }

  private:
    RowCells CalculateReadings(const std::vector<std::string>& fields) {
        const std::optional<BarometerUnit> unit = UnitOf(fields);
        if (!unit) {
            return Refused(UnknownUnitMessage(settings_.language));
        }
        const std::optional<PsychrometerType> type = TypeOf(fields);
        if (!type) {
            return Refused(UnknownTypeMessage(settings_.language));
        }
        const std::optional<BulbChoice> bulb = BulbOf(fields);
        if (!bulb) {
            return Refused(UnknownBulbMessage(settings_.language));
        }
        pressure_ = fields[PressureColumn(*unit)];
        dryBulb_ = fields[columns_.dryBulb];
        wetBulb_ = fields[columns_.wetBulb];
        if (decimalComma_) {
            UseDecimalPoint(pressure_);
            UseDecimalPoint(dryBulb_);
            UseDecimalPoint(wetBulb_);
        }
        return CalculateRow({pressure_, dryBulb_, wetBulb_, *unit, *type, *bulb},
                            settings_.extended, settings_.language);
    }

    static RowCells Refused(std::string_view message) {
        RowCells cells;
        cells.error = message;
        return cells;
    }

    // An empty cell says nothing; a time without a date has no day to belong to, but is
    // checked all the same.
    std::string_view ObservedAt(const std::vector<std::string>& fields,
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

    static bool IsBlank(const std::string& cell) {
        return cell.find_first_not_of(" \t") == std::string::npos;
    }

    std::optional<BarometerUnit> UnitOf(const std::vector<std::string>& fields) const {
        if (columns_.unit && !fields[*columns_.unit].empty()) {
            return ParseUnitName(fields[*columns_.unit]);
        }
        if (settings_.unit) {
            return settings_.unit;
        }
        return columns_.pressure ? BarometerUnit::Hpa : BarometerUnit::Altitude;
    }

    std::optional<PsychrometerType> TypeOf(const std::vector<std::string>& fields) const {
        if (columns_.type && !fields[*columns_.type].empty()) {
            return ParseTypeName(fields[*columns_.type]);
        }
        return settings_.type.value_or(PsychrometerType::Aspirated);
    }

    std::optional<BulbChoice> BulbOf(const std::vector<std::string>& fields) const {
        if (columns_.bulb && !fields[*columns_.bulb].empty()) {
            return ParseBulbName(fields[*columns_.bulb], false);
        }
        return settings_.bulb;
    }

    // A logbook with both columns gives the altitude for rows in metres and the pressure
    // for the others; with one of them, that one serves every unit.
    std::size_t PressureColumn(BarometerUnit unit) const {
        if (unit == BarometerUnit::Altitude) {
            return columns_.altitude.value_or(*columns_.pressure);
        }
        return columns_.pressure.value_or(*columns_.altitude);
    }

    LogbookColumns columns_;
    const ConversionSettings& settings_;
    bool decimalComma_;
    // Reused from row to row, so that a long logbook allocates nothing new.
    std::string pressure_;
    std::string dryBulb_;
    std::string wetBulb_;
};

void WriteHeader(CsvWriter& writer, const std::vector<std::string>& header, bool extended) {
    for (const std::string& name : header) {
        writer.Field(name);
    }
    for (const std::string_view name : ResultHeader) {
        writer.Field(name);
    }
    if (extended) {
        for (const std::string_view name : ExtrasHeader) {
            writer.Field(name);
        }
    }
    const bool hasOwn = std::any_of(header.begin(), header.end(), [](const std::string& name) {
        return FoldForMatching(name) == ErrorHeader;
    });
    writer.Field(hasOwn ? OwnErrorHeader : ErrorHeader);
    writer.EndRecord();
}

// A row with fewer cells than the header gets empty ones, so that the results stay in
// their columns; one with more keeps them all.
void WriteRow(CsvWriter& writer, const std::vector<std::string>& fields, std::size_t headerWidth,
              const RowCells& cells, bool extended) {
    for (const std::string& field : fields) {
        writer.Field(field);
    }
    for (std::size_t missing = fields.size(); missing < headerWidth; ++missing) {
        writer.Field({});
    }
    for (const std::string& result : cells.results) {
        writer.Field(result);
    }
    if (extended) {
        for (const std::string& extra : cells.extras) {
            writer.Field(extra);
        }
    }
    writer.Field(cells.error);
    writer.EndRecord();
}

std::string Describe(RecordStatus status, const DecodedInput& input, const CsvReader& reader,
                     const ConversionSettings& settings) {
    const MessageLanguage language = settings.language;
    if (status == RecordStatus::TooLong) {
        std::string text(TextIn(language, "редът е по-дълъг от позволеното (",
                                "the row is longer than allowed ("));
        text += std::to_string(settings.maxRowBytes);
        text += TextIn(language, " байта или ", " bytes or ");
        text += std::to_string(reader.MaxCells());
        text += TextIn(language, " клетки; вижте --max-row-bytes)", " cells; see --max-row-bytes)");
        return text;
    }
    return ReadFailureText(input.ErrorNumber(), language);
}

// What stops the run: the line and the text.
void StopAt(ConversionReport& report, const CsvReader& reader, std::string text) {
    report.inputError = std::move(text);
    report.inputErrorLine = reader.RecordLine();
}

} // namespace

ConversionReport ConvertLogbook(std::FILE* in, std::FILE* out, const ConversionSettings& settings,
                                const ConversionProgress& progress,
                                const ComputedRowSink& computed) {
    ConversionReport report;
    DecodedInput input(in, settings.inputEncoding);
    report.guessedWindows1251 = input.GuessedWindows1251();
    CsvReader reader(input, settings.maxRowBytes);
    std::vector<std::string> header;
    const RecordStatus headerStatus = reader.Next(header);
    if (headerStatus == RecordStatus::End) {
        StopAt(report, reader,
               std::string(TextIn(settings.language, "няма заглавен ред", "no header row")));
        return report;
    }
    if (headerStatus != RecordStatus::Record) {
        StopAt(report, reader, Describe(headerStatus, input, reader, settings));
        return report;
    }
    if (reader.Fault() != RecordFault::None) {
        StopAt(report, reader,
               RowShapeProblem(header, header.size(), reader.Fault(), ',', settings.language));
        return report;
    }
    const auto found = FindLogbookColumns(header, settings.language);
    if (const auto* problem = std::get_if<std::string>(&found)) {
        StopAt(report, reader, *problem);
        return report;
    }

    CsvWriter writer(out, settings.outputDelimiter.value_or(reader.Delimiter()), reader.UsesCrlf(),
                     settings.outputEncoding);
    // Excel tells UTF-16 only by its mark; UTF-8 keeps one when the input had one.
    if (settings.outputEncoding != TextEncoding::Utf8 || input.HadByteOrderMark()) {
        writer.Raw(ByteOrderMark(settings.outputEncoding));
    }
    WriteHeader(writer, header, settings.extended);

    const bool decimalComma = ReadsDecimalComma(reader.Delimiter());
    const bool commaResults =
        settings.decimal.value_or(decimalComma ? DecimalMark::Comma : DecimalMark::Point) ==
        DecimalMark::Comma;
    RowReader rows(std::get<LogbookColumns>(found), settings, decimalComma);
    std::vector<std::string> fields;
    while (!writer.Failed()) {
        const RecordStatus status = reader.Next(fields);
        if (status == RecordStatus::End) {
            break;
        }
        if (status != RecordStatus::Record) {
            StopAt(report, reader, Describe(status, input, reader, settings));
            break;
        }
        RowCells cells;
        cells.error = RowShapeProblem(fields, header.size(), reader.Fault(), reader.Delimiter(),
                                      settings.language);
        if (cells.error.empty()) {
            cells = rows.Calculate(fields);
            if (cells.error.empty() && computed) {
                computed(cells);
            }
        }
        if (commaResults) {
            UseDecimalComma(cells);
        }
        WriteRow(writer, fields, header.size(), cells, settings.extended);
        ++report.rows;
        report.failedRows += cells.error.empty() ? 0 : 1;
        if (progress && report.rows % ProgressEveryRows == 0) {
            progress(report.rows, input.RawBytesRead());
        }
    }
    report.writeFailed = !writer.Flush();
    report.writeError = writer.ErrorNumber();
    return report;
}
