#include "batch/logbook_conversion.h"

#include "batch/csv_reader.h"
#include "batch/csv_writer.h"
#include "batch/logbook_columns.h"
#include "batch/logbook_row.h"
#include "batch/reading_names.h"
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
constexpr std::uint64_t ProgressEveryRows = 1 << 14;

// Spreadsheets set to a locale with a decimal comma write 20,5 where the calculator reads
// 20.5; with ',' as delimiter a comma cannot be part of a number anyway.
bool ReadsDecimalComma(char delimiter) {
    return delimiter == ';' || delimiter == '\t';
}

void UseDecimalPoint(std::string& text) {
    std::replace(text.begin(), text.end(), ',', '.');
}

// What one row needs besides its cells: the layout and the defaults for missing cells.
class RowReader {
  public:
    RowReader(const LogbookColumns& columns, const ConversionSettings& settings, bool decimalComma)
        : columns_(columns), settings_(settings), decimalComma_(decimalComma) {}

    RowCells Calculate(const std::vector<std::string>& fields) {
        const std::optional<BarometerUnit> unit = UnitOf(fields);
        if (!unit) {
            return Refused(UnknownUnitMessage(settings_.language));
        }
        const std::optional<PsychrometerType> type = TypeOf(fields);
        if (!type) {
            return Refused(UnknownTypeMessage(settings_.language));
        }
        pressure_ = fields[PressureColumn(*unit)];
        dryBulb_ = fields[columns_.dryBulb];
        wetBulb_ = fields[columns_.wetBulb];
        if (decimalComma_) {
            UseDecimalPoint(pressure_);
            UseDecimalPoint(dryBulb_);
            UseDecimalPoint(wetBulb_);
        }
        return CalculateRow({pressure_, dryBulb_, wetBulb_, *unit, *type}, settings_.extended,
                            settings_.language);
    }

  private:
    static RowCells Refused(std::string_view message) {
        RowCells cells;
        cells.error = message;
        return cells;
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
    writer.Field(ErrorHeader);
    writer.EndRecord();
}

void WriteRow(CsvWriter& writer, const std::vector<std::string>& fields, const RowCells& cells,
              bool extended) {
    for (const std::string& field : fields) {
        writer.Field(field);
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

// Spreadsheets drop empty cells at the end of a row and sometimes add some; the row is
// taken as the header's width when nothing but empty cells differs.
bool FitToHeader(std::vector<std::string>& fields, std::size_t width) {
    if (fields.size() > width &&
        !std::all_of(fields.begin() + static_cast<std::ptrdiff_t>(width), fields.end(),
                     [](const std::string& field) { return field.empty(); })) {
        return false;
    }
    fields.resize(width);
    return true;
}

std::string Describe(RecordStatus status, MessageLanguage language) {
    return std::string(
        status == RecordStatus::UnclosedQuote
            ? TextIn(language, "поле в кавички не е затворено", "a quoted field is not closed")
            : TextIn(language, "входът не може да бъде прочетен", "the input could not be read"));
}

} // namespace

ConversionReport ConvertLogbook(std::FILE* in, std::FILE* out, const ConversionSettings& settings,
                                const ConversionProgress& progress) {
    ConversionReport report;
    CsvReader reader(in);
    std::vector<std::string> header;
    const RecordStatus headerStatus = reader.Next(header);
    if (headerStatus != RecordStatus::Record) {
        report.inputError =
            headerStatus == RecordStatus::End
                ? std::string(TextIn(settings.language, "няма заглавен ред", "no header row"))
                : Describe(headerStatus, settings.language);
        report.inputErrorLine = reader.RecordLine();
        return report;
    }
    const auto found = FindLogbookColumns(header, settings.language);
    if (const auto* problem = std::get_if<std::string>(&found)) {
        report.inputError = *problem;
        report.inputErrorLine = reader.RecordLine();
        return report;
    }

    CsvWriter writer(out, settings.outputDelimiter.value_or(reader.Delimiter()), reader.UsesCrlf());
    if (reader.HasByteOrderMark()) {
        writer.Raw("\xEF\xBB\xBF");
    }
    WriteHeader(writer, header, settings.extended);

    RowReader rows(std::get<LogbookColumns>(found), settings,
                   ReadsDecimalComma(reader.Delimiter()));
    std::vector<std::string> fields;
    for (;;) {
        const RecordStatus status = reader.Next(fields);
        if (status == RecordStatus::End) {
            break;
        }
        if (status != RecordStatus::Record) {
            report.inputError = Describe(status, settings.language);
            report.inputErrorLine = reader.RecordLine();
            break;
        }
        if (!FitToHeader(fields, header.size())) {
            report.inputError =
                std::string(TextIn(settings.language, "редът има повече полета от заглавния",
                                   "the row has more fields than the header"));
            report.inputErrorLine = reader.RecordLine();
            break;
        }
        const RowCells cells = rows.Calculate(fields);
        WriteRow(writer, fields, cells, settings.extended);
        ++report.rows;
        report.failedRows += cells.error.empty() ? 0 : 1;
        if (progress && report.rows % ProgressEveryRows == 0) {
            progress(report.rows, reader.BytesConsumed());
        }
    }
    report.writeFailed = !writer.Flush();
    return report;
}
