// The command line of zorvel-batch.
#pragma once

#include "batch/logbook_conversion.h"
#include "batch/logbook_summary.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct BatchOptions {
    std::string input = "-"; // "-" is standard input
    std::optional<std::string> output;
    // The chart's SVG file, "-" for standard output (only with the table in a file).
    std::optional<std::string> chart;
    // --summary day|month FILE: the daily or monthly means, "-" for standard output.
    std::optional<SummaryPeriod> summaryPeriod;
    std::optional<std::string> summary;
    // The thermometers' certificates, read before the logbook into conversion.corrections.
    std::optional<std::string> corrections;
    // A --coefficient no psychrometer has: refused like a bad row, not as a slip of the
    // command line.
    std::optional<std::string> refusedCoefficient;
    // The chart's t axis as given, TMIN:TMAX; checked before anything is read.
    std::optional<std::string> chartRange;
    ConversionSettings conversion;
    bool help = false;
    bool version = false;
};

// The options, or the text of what is wrong with them in the language they ask for.
std::variant<BatchOptions, std::string> ParseBatchOptions(const std::vector<std::string>& args);

// The language --lang asks for, looked up alone so that even a command line that cannot
// be parsed is answered in it.
MessageLanguage RequestedLanguage(const std::vector<std::string>& args);

// Names under which a user means the terminal or the pipe the program writes to: a file
// can never be renamed over them.
bool NamesStandardOutput(std::string_view name);

// The text of --help.
std::string_view BatchUsage(MessageLanguage language);
