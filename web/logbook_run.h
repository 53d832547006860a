// A logbook converted in the page: zorvel-batch's conversion over memory, with the chart.
#pragma once

#include "batch/logbook_conversion.h"

#include <cstddef>
#include <string>
#include <string_view>

// The options as the page offers them, in zorvel-batch's own words ("" leaves an option
// to the logbook): unit hPa|mBar|mmHg|m, type aspirated|non-aspirated, bulb
// water|ice|auto, delimiter ,|;|tab, decimal point|comma, encodings utf-8|windows-1251|
// utf-16. A word the page never sends leaves the option unset.
struct LogbookOptions {
    std::string_view unit;
    std::string_view type;
    std::string_view bulb;
    std::string_view delimiter;
    std::string_view decimal;
    std::string_view inputEncoding;
    std::string_view outputEncoding;
};

ConversionSettings SettingsOf(const LogbookOptions& options);

struct LogbookRun {
    ConversionReport report;
    std::string table;
    std::string chart; // SVG; empty when not asked for or not written
};

LogbookRun RunLogbook(const unsigned char* data, std::size_t size, const LogbookOptions& options,
                      bool withChart, const ConversionProgress& progress);

// What the page says of the run when the input could not be read to its end, or of its
// encoding: in the words zorvel-batch says them on standard error.
std::string RunReportJson(const LogbookRun& run);
