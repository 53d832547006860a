// zorvel-batch: a psychrometer logbook in, the calculator's results for every row out.
#include "batch/batch_options.h"
#include "batch/chart_range.h"
#include "batch/chart_svg.h"
#include "batch/file_failure_text.h"
#include "batch/file_identity.h"
#include "batch/logbook_chart.h"
#include "batch/logbook_conversion.h"
#include "batch/process_guard.h"
#include "batch/progress_line.h"
#include "batch/table_output.h"
#include "batch/two_languages.h"
#include "common/native_names.h"
#include "common/replacement_file.h"
#include "zorvel_version.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int AllComputed = 0;
constexpr int CannotRead = 1;
constexpr int SomeRowsFailed = 2;
// An output that would replace the logbook being read: refused as a slip of the command line.
constexpr int OutputIsTheInput = 2;
constexpr int BadChartRange = 2;
// Told by Convert, which cannot know why: only the caller knows where the output went.
constexpr int CannotWrite = -1;
// The size of the calculator's own chart picture, so that the two look alike.
constexpr int ChartWidth = 1000;
constexpr int ChartHeight = 758;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

void Complain(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "zorvel-batch: %s: %s\n", where.c_str(), what.c_str());
}

std::string InputName(const BatchOptions& options) {
    return options.input == "-" ? std::string(TextIn(options.conversion.language, "стандартен вход",
                                                     "standard input"))
                                : options.input;
}

int Convert(const BatchOptions& options, std::FILE* in, std::FILE* out, int& writeError,
            const ComputedRowSink& computed) {
    const MessageLanguage language = options.conversion.language;
    ConversionReport report;
    {
        ProgressLine progress(in, stderr, language);
        report = ConvertLogbook(
            in, out, options.conversion,
            [&progress](std::uint64_t rows, std::uint64_t bytes) { progress.Update(rows, bytes); },
            computed);
    }
    if (report.guessedWindows1251) {
        Complain(InputName(options),
                 std::string(TextIn(language,
                                    "заглавният ред не е UTF-8; входът се чете като Windows-1251",
                                    "the header is not UTF-8; the input is read as Windows-1251")));
    }
    if (report.writeFailed) {
        writeError = report.writeError;
        return CannotWrite;
    }
    if (report.inputError) {
        Complain(InputName(options) + ":" + std::to_string(report.inputErrorLine),
                 *report.inputError);
        return CannotRead;
    }
    return report.failedRows > 0 ? SomeRowsFailed : AllComputed;
}

// Every output but the table, by its option. The table may be written over its own logbook,
// since it keeps every input column; these would lose it.
std::vector<std::pair<std::string, std::string>>
OutputsBesideTheTable(const BatchOptions& options) {
    std::vector<std::pair<std::string, std::string>> outputs;
    if (options.chart && !NamesStandardOutput(*options.chart)) {
        outputs.emplace_back("--chart", *options.chart);
    }
    return outputs;
}

// By the file itself, not its name: a second name or a link to the logbook is the logbook.
bool RefusedAsTheInput(const BatchOptions& options, std::FILE* in) {
    const std::optional<FileIdentity> input = IdentityOf(in);
    if (!input) {
        return false;
    }
    for (const auto& [option, path] : OutputsBesideTheTable(options)) {
        if (IdentityOf(path) == input) {
            const MessageLanguage language = options.conversion.language;
            Complain(option + " " + path,
                     std::string(TextIn(language, "това е самият входен файл, ",
                                        "this is the input file itself, ")) +
                         InputName(options) +
                         std::string(TextIn(language, "; нищо не е прочетено или записано",
                                            "; nothing was read or written")));
            return true;
        }
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

int ConvertToStandardOutput(const BatchOptions& options, std::FILE* in,
                            const ComputedRowSink& computed) {
    int writeError = 0;
    const int status = Convert(options, in, stdout, writeError, computed);
    if (status == CannotWrite) {
        const MessageLanguage language = options.conversion.language;
        Complain(std::string(TextIn(language, "стандартен изход", "standard output")),
                 WriteFailureText(FailureOfError(writeError), writeError, language));
        return CannotRead;
    }
    return status;
}

// The temporary file comes first: a table that cannot be written beside its target is
// refused before anything is read, and the target is never written in place.
int ConvertToFile(const BatchOptions& options, std::FILE* in, const timespec& runStart,
                  const ComputedRowSink& computed) {
    const MessageLanguage language = options.conversion.language;
    const std::string& target = *options.output;
    const std::string prefix = TemporaryPrefixFor(target);
    ReplacementFile output(target, {.mayWriteInPlace = false, .temporaryPrefix = prefix});
    if (!output.IsOpen()) {
        Complain(target, CreateFailureText(output.Why(), output.ErrorNumber(), language));
        return CannotRead;
    }
    RemoveStaleTemporaries(FolderOf(output.TargetPath()), prefix, runStart, output.TemporaryPath());
    int writeError = 0;
    const int status = Convert(options, in, output.Stream(), writeError, computed);
    if (status == CannotRead) {
        return CannotRead; // the old table stays as it was
    }
    if (status == CannotWrite || !output.Commit()) {
        Complain(target, WriteFailureText(output.Why(), output.ErrorNumber(), language));
        return CannotRead;
    }
    return status;
}

int ConvertTable(const BatchOptions& options, std::FILE* in, const timespec& runStart,
                 const ComputedRowSink& computed) {
    if (!options.output || NamesStandardOutput(*options.output)) {
        return ConvertToStandardOutput(options, in, computed);
    }
    return ConvertToFile(options, in, runStart, computed);
}

// Written only after the whole table, and like it through a file beside its target: a
// run that fails or is cut short keeps the chart that was there.
bool WriteChart(const LogbookChart& readings, const BatchOptions& options, std::FILE* out) {
    const std::optional<chart::ChartRange> range =
        options.chartRange ? ParseChartRange(*options.chartRange) : std::nullopt;
    return WriteChartSvg(readings.Svg(range, ChartWidth, ChartHeight), out);
}

// A range that means nothing is a slip of the command line, told before anything is read
// or written, like an output that is the input.
bool RefusedChartRange(const BatchOptions& options) {
    if (!options.chartRange || ParseChartRange(*options.chartRange)) {
        return false;
    }
    Complain("--chart-range " + *options.chartRange,
             std::string(TextIn(options.conversion.language,
                                "искат се две температури TMIN:TMAX в °C, по-ниската първа "
                                "(например -10:35); нищо не е прочетено или записано",
                                "give two temperatures TMIN:TMAX in °C, the lower first (for "
                                "example -10:35); nothing was read or written")));
    return true;
}

int ConvertTo(const BatchOptions& options, std::FILE* in, const timespec& runStart) {
    if (RefusedAsTheInput(options, in)) {
        return OutputIsTheInput;
    }
    if (!options.chart) {
        return ConvertTable(options, in, runStart, {});
    }
    const MessageLanguage language = options.conversion.language;
    const std::string& target = *options.chart;
    std::optional<ReplacementFile> chartFile;
    // Made before anything is read, as the table's is: a chart that cannot be written is
    // known before the logbook is spent.
    if (!NamesStandardOutput(target)) {
        const std::string prefix = TemporaryPrefixFor(target);
        chartFile.emplace(target,
                          ReplacementOptions{.mayWriteInPlace = false, .temporaryPrefix = prefix});
        if (!chartFile->IsOpen()) {
            Complain(target,
                     CreateFailureText(chartFile->Why(), chartFile->ErrorNumber(), language));
            return CannotRead;
        }
        RemoveStaleTemporaries(FolderOf(chartFile->TargetPath()), prefix, runStart,
                               chartFile->TemporaryPath());
    }
    LogbookChart readings;
    const int status = ConvertTable(options, in, runStart, [&readings](const RowCells& cells) {
        readings.Add(cells.reading, cells.observed ? cells.observed->month : 0);
    });
    if (status == CannotRead) {
        return status;
    }
    if (!chartFile) {
        if (!WriteChart(readings, options, stdout)) {
            const int error = errno;
            Complain(std::string(TextIn(language, "стандартен изход", "standard output")),
                     WriteFailureText(FailureOfError(error), error, language));
            return CannotRead;
        }
        return status;
    }
    if (!WriteChart(readings, options, chartFile->Stream())) {
        const int error = errno;
        Complain(target, WriteFailureText(FailureOfError(error), error, language));
        return CannotRead;
    }
    if (!chartFile->Commit()) {
        Complain(target, WriteFailureText(chartFile->Why(), chartFile->ErrorNumber(), language));
        return CannotRead;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    // Before anything is opened: a file opened on a closed descriptor 0 would be read as
    // the logbook.
    const bool inputClosed = OpenClosedStandardStreams();
    InstallInterruptHandlers();
    timespec runStart{};
    clock_gettime(CLOCK_REALTIME, &runStart);

    const std::vector<std::string> args = ProgramArguments(argc, argv);
    const auto parsed = ParseBatchOptions(args);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        const MessageLanguage language = RequestedLanguage(args);
        std::fprintf(stderr, "zorvel-batch: %s\n%s\n", problem->c_str(),
                     std::string(TextIn(language, "Вижте „zorvel-batch --help“.",
                                        "Try 'zorvel-batch --help'."))
                         .c_str());
        return CannotRead;
    }
    const auto& options = std::get<BatchOptions>(parsed);
    const MessageLanguage language = options.conversion.language;
    if (options.help) {
        const std::string_view usage = BatchUsage(language);
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return AllComputed;
    }
    if (options.version) {
        std::printf("zorvel-batch %s\n", zorvel::FileVersion);
        return AllComputed;
    }
    if (RefusedChartRange(options)) {
        return BadChartRange;
    }
    if (options.input == "-") {
        if (inputClosed) {
            Complain(InputName(options), ReadFailureText(EBADF, language));
            return CannotRead;
        }
        return ConvertTo(options, stdin, runStart);
    }
    const OwnedFile in(OpenForReading(options.input));
    struct stat info {};
    if (in && fstat(fileno(in.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
        errno = EISDIR; // a folder opens for reading, but has nothing to read
    }
    if (!in || S_ISDIR(info.st_mode)) {
        Complain(options.input, OpenFailureText(errno, language));
        return CannotRead;
    }
    return ConvertTo(options, in.get(), runStart);
}
