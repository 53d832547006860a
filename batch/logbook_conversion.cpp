#include "batch/logbook_conversion.h"

#include "batch/csv_reader.h"
#include "batch/csv_writer.h"
#include "batch/decimal_comma.h"
#include "batch/file_failure_text.h"
#include "batch/logbook_columns.h"
#include "batch/logbook_row.h"
#include "batch/logbook_row_reader.h"
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
constexpr std::array<std::string_view, 2> SynopHeader = {"1snTTT", "2snTdTdTd"};
constexpr std::string_view EnglishErrorHeader = "error";
constexpr std::string_view BulgarianErrorHeader = "грешка";
constexpr std::uint64_t ProgressEveryRows = 1 << 14;

// The columns the run adds between the logbook's own and the error column, beside the five
// results.
struct AddedColumns {
    bool correctedDryBulb = false;
    bool correctedWetBulb = false;
    bool computedWetBulb = false;
    bool extended = false;
    bool synop = false;
};

AddedColumns ColumnsAdded(const LogbookColumns& columns, const ConversionSettings& settings) {
    AddedColumns added;
    added.correctedDryBulb = !settings.corrections.Empty();
    added.correctedWetBulb = added.correctedDryBulb && columns.wetBulb.has_value();
    added.computedWetBulb = !columns.wetBulb.has_value();
    added.extended = settings.extended;
    added.synop = settings.synop;
    return added;
}

void UseDecimalCommas(RowCells& cells) {
    for (std::string& result : cells.results) {
        UseDecimalComma(result);
    }
    for (std::string& extra : cells.extras) {
        UseDecimalComma(extra);
    }
    for (std::string& reading : cells.corrected) {
        UseDecimalComma(reading);
    }
    UseDecimalComma(cells.computedWetBulb);
}

void WriteHeader(CsvWriter& writer, const std::vector<std::string>& header,
                 const AddedColumns& added, MessageLanguage language) {
    for (const std::string& name : header) {
        writer.Field(name);
    }
    if (added.correctedDryBulb) {
        writer.Field(TextIn(language, "tdry (поправен)", "tdry (corrected)"));
    }
    if (added.correctedWetBulb) {
        writer.Field(TextIn(language, "twet (поправен)", "twet (corrected)"));
    }
    if (added.computedWetBulb) {
        writer.Field(TextIn(language, "twet (изчислен)", "twet (computed)"));
    }
    for (const std::string_view name : ResultHeader) {
        writer.Field(name);
    }
    if (added.extended) {
        for (const std::string_view name : ExtrasHeader) {
            writer.Field(name);
        }
    }
    if (added.synop) {
        for (const std::string_view name : SynopHeader) {
            writer.Field(name);
        }
    }
    // A table of ours read again, in either language, has one already.
    const bool hasOwn = std::any_of(header.begin(), header.end(), [](const std::string& name) {
        const std::string folded = FoldForMatching(name);
        return folded == EnglishErrorHeader || folded == BulgarianErrorHeader;
    });
    std::string ours(TextIn(language, BulgarianErrorHeader, EnglishErrorHeader));
    writer.Field(hasOwn ? ours + " (zorvel)" : ours);
    writer.EndRecord();
}

// A row with fewer cells than the header gets empty ones, so that the results stay in
// their columns; one with more keeps them all.
void WriteRow(CsvWriter& writer, const std::vector<std::string>& fields, std::size_t headerWidth,
              const RowCells& cells, const AddedColumns& added) {
    for (const std::string& field : fields) {
        writer.Field(field);
    }
    for (std::size_t missing = fields.size(); missing < headerWidth; ++missing) {
        writer.Field({});
    }
    if (added.correctedDryBulb) {
        writer.Field(cells.corrected[0]);
    }
    if (added.correctedWetBulb) {
        writer.Field(cells.corrected[1]);
    }
    if (added.computedWetBulb) {
        writer.Field(cells.computedWetBulb);
    }
    for (const std::string& result : cells.results) {
        writer.Field(result);
    }
    if (added.extended) {
        for (const std::string& extra : cells.extras) {
            writer.Field(extra);
        }
    }
    if (added.synop) {
        for (const std::string& group : cells.synop) {
            writer.Field(group);
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

void BeginTable(CsvWriter& writer, const OutputFormat& format) {
    if (format.byteOrderMark) {
        writer.Raw(ByteOrderMark(format.encoding));
    }
}

OutputFormat InUtf8(OutputFormat format, bool inputByteOrderMark) {
    format.encoding = TextEncoding::Utf8;
    format.byteOrderMark = inputByteOrderMark;
    return format;
}

ConversionReport ConvertLogbook(std::FILE* in, std::FILE* out, const ConversionSettings& settings,
                                const ConversionProgress& progress, const ComputedRowSink& computed,
                                const WrittenRowSink& written) {
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
    const LogbookColumns& columns = std::get<LogbookColumns>(found);
    if (settings.dateColumnRequired && !columns.date) {
        report.noDateColumn = true;
        return report;
    }

    const bool decimalComma = ReadsDecimalComma(reader.Delimiter());
    OutputFormat& format = report.format.emplace();
    format.delimiter = settings.outputDelimiter.value_or(reader.Delimiter());
    format.crlf = reader.UsesCrlf();
    const TextEncoding read = input.Encoding();
    format.encoding = settings.outputEncoding.value_or(
        read == TextEncoding::Utf16Be ? TextEncoding::Utf16Le : read);
    // Excel tells UTF-16 only by its mark; UTF-8 keeps one when the input had one.
    report.inputByteOrderMark = input.HadByteOrderMark();
    format.byteOrderMark = format.encoding != TextEncoding::Utf8 || input.HadByteOrderMark();
    format.decimalComma =
        settings.decimal.value_or(decimalComma ? DecimalMark::Comma : DecimalMark::Point) ==
        DecimalMark::Comma;
    CsvWriter writer(out, format.delimiter, format.crlf, format.encoding);
    BeginTable(writer, format);
    const AddedColumns added = ColumnsAdded(columns, settings);
    WriteHeader(writer, header, added, settings.language);

    RowReader rows(columns, settings, decimalComma);
    std::vector<std::string> fields;
    RowCells cells; // filled anew for every row, its texts' room kept
    while (!writer.Failed()) {
        const RecordStatus status = reader.Next(fields);
        if (status == RecordStatus::End) {
            break;
        }
        if (status != RecordStatus::Record) {
            StopAt(report, reader, Describe(status, input, reader, settings));
            break;
        }
        cells.Clear();
        cells.error = RowShapeProblem(fields, header.size(), reader.Fault(), reader.Delimiter(),
                                      settings.language);
        if (cells.error.empty()) {
            rows.Calculate(fields, cells);
            if (cells.error.empty() && computed) {
                computed(cells);
            }
        }
        if (written) {
            written(cells);
        }
        if (format.decimalComma) {
            UseDecimalCommas(cells);
        }
        WriteRow(writer, fields, header.size(), cells, added);
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
