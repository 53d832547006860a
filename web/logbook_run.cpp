#include "web/logbook_run.h"

#include "batch/logbook_chart.h"
#include "batch/reading_names.h"
#include "batch/row_messages.h"
#include "batch/text_encoding.h"
#include "web/chart_files.h"
#include "web/json_text.h"
#include "web/memory_file.h"

#include <optional>

ConversionSettings SettingsOf(const LogbookOptions& options) {
    ConversionSettings settings;
    if (!options.unit.empty()) {
        settings.unit = ParseUnitName(options.unit);
    }
    if (!options.type.empty()) {
        settings.type = ParseTypeName(options.type);
    }
    settings.bulb = ParseBulbName(options.bulb, true).value_or(BulbChoice::Water);
    if (options.delimiter == "," || options.delimiter == ";") {
        settings.outputDelimiter = options.delimiter.front();
    } else if (options.delimiter == "tab") {
        settings.outputDelimiter = '\t';
    }
    if (options.decimal == "point") {
        settings.decimal = DecimalMark::Point;
    } else if (options.decimal == "comma") {
        settings.decimal = DecimalMark::Comma;
    }
    if (!options.inputEncoding.empty()) {
        settings.inputEncoding = ParseEncodingName(options.inputEncoding);
    }
    if (!options.outputEncoding.empty()) {
        settings.outputEncoding = ParseEncodingName(options.outputEncoding);
    }
    return settings;
}

LogbookRun RunLogbook(const unsigned char* data, std::size_t size, const LogbookOptions& options,
                      bool withChart, const ConversionProgress& progress) {
    LogbookRun run;
    const ConversionSettings settings = SettingsOf(options);
    MemoryInput in(data, size);
    MemoryOutput out;
    if (in.Stream() == nullptr || !out.IsOpen()) {
        run.report.writeFailed = true;
        return run;
    }
    LogbookChart readings;
    ComputedRowSink computed;
    if (withChart) {
        computed = [&readings](const RowCells& cells) {
            readings.Add(cells.reading, cells.observed ? cells.observed->month : 0);
        };
    }
    run.report = ConvertLogbook(in.Stream(), out.Stream(), settings, progress, computed);
    run.table = out.Take();
    // As zorvel-batch: no chart of a logbook that could not be read to its end.
    if (withChart && !run.report.inputError && !run.report.writeFailed) {
        run.chart = LogbookChartSvgText(readings);
    }
    return run;
}

std::string RunReportJson(const LogbookRun& run) {
    const ConversionReport& report = run.report;
    std::string json = "{\"rows\":" + std::to_string(report.rows) +
                       ",\"failedRows\":" + std::to_string(report.failedRows) +
                       ",\"writeFailed\":" + (report.writeFailed ? "true" : "false");
    if (report.inputError) {
        json += ",\"inputError\":" + JsonString(*report.inputError) +
                ",\"inputErrorLine\":" + std::to_string(report.inputErrorLine);
    }
    if (report.guessedWindows1251) {
        json += ",\"encodingNote\":" +
                JsonString(GuessedWindows1251Message(MessageLanguage::Bulgarian));
    }
    return json + "}";
}
