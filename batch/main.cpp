// zorvel-batch: a psychrometer logbook in, the calculator's results for every row out.
#include "batch/batch_options.h"
#include "batch/chart_range.h"
#include "batch/chart_svg.h"
#include "batch/corrections_file.h"
#include "batch/file_failure_text.h"
#include "batch/file_identity.h"
#include "batch/logbook_chart.h"
#include "batch/logbook_conversion.h"
#include "batch/logbook_summary.h"
#include "batch/process_guard.h"
#include "batch/progress_line.h"
#include "batch/table_output.h"
#include "batch/two_languages.h"
#include "chart/chart_size.h"
#include "common/native_names.h"
#include "common/replacement_file.h"
#include "zorvel_version.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
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
// An option's value or the logbook's columns refused before anything is written: a slip
// of the command line, as a bad row is one of the logbook.
constexpr int Refused = 2;
// Told by Convert, which cannot know why: only the caller knows where the output went.
constexpr int CannotWrite = -1;
// A summary asked of a logbook without dates: told by Convert, and no table is kept.
constexpr int NoDateColumn = -2;
// The size of the calculator's own chart picture, so that the two look alike.
using chart::ChartHeight;
using chart::ChartWidth;

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

// What the rows are told to besides the table, and what the table's writing decided.
struct RowSinks {
    ComputedRowSink computed;
    WrittenRowSink written;
    OutputFormat format;
    bool inputByteOrderMark = false;
};

int Convert(const BatchOptions& options, const ConversionSettings& settings, std::FILE* in,
            std::FILE* out, int& writeError, RowSinks& sinks) {
    const MessageLanguage language = options.conversion.language;
    ConversionReport report;
    {
        ProgressLine progress(in, stderr, language);
        report = ConvertLogbook(
            in, out, settings,
            [&progress](std::uint64_t rows, std::uint64_t bytes) { progress.Update(rows, bytes); },
            sinks.computed, sinks.written);
    }
    sinks.format = report.format.value_or(OutputFormat{});
    sinks.inputByteOrderMark = report.inputByteOrderMark;
    if (report.noDateColumn) {
        Complain(InputName(options),
                 std::string(TextIn(language,
                                    "обобщението по дни или месеци иска колона за датата (date "
                                    "или дата); нищо не е записано",
                                    "a summary by day or month needs a column for the date (date "
                                    "or дата); nothing was written")));
        return NoDateColumn;
    }
    if (report.guessedWindows1251) {
        Complain(InputName(options), std::string(GuessedWindows1251Message(language)));
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

struct NamedFile {
    std::string option;
    std::string path;
};

// Every output but the table, by its option. The table may be written over its own logbook,
// since it keeps every input column; these would lose it.
std::vector<NamedFile> OutputsBesideTheTable(const BatchOptions& options) {
    std::vector<NamedFile> outputs;
    if (options.chart && !NamesStandardOutput(*options.chart)) {
        outputs.push_back({"--chart", *options.chart});
    }
    if (options.summary && !NamesStandardOutput(*options.summary)) {
        outputs.push_back({"--summary", *options.summary});
    }
    return outputs;
}

std::vector<NamedFile> FileOutputs(const BatchOptions& options) {
    std::vector<NamedFile> outputs;
    if (options.output && !NamesStandardOutput(*options.output)) {
        outputs.push_back({"-o", *options.output});
    }
    for (NamedFile& output : OutputsBesideTheTable(options)) {
        outputs.push_back(std::move(output));
    }
    return outputs;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// By the file itself when both exist; two names of a file yet to be made are one when they
// lead to the same place.
bool SameFile(const std::string& one, const std::string& other) {
    const std::optional<FileIdentity> first = IdentityOf(one);
    const std::optional<FileIdentity> second = IdentityOf(other);
    if (first || second) {
        return first == second;
    }
    std::error_code ignored;
    return std::filesystem::weakly_canonical(PathOf(one), ignored) ==
           std::filesystem::weakly_canonical(PathOf(other), ignored);
}

void RefuseOutput(const NamedFile& output, std::string_view because, const std::string& what,
                  MessageLanguage language) {
    Complain(output.option + " " + output.path,
             std::string(because) + what +
                 std::string(TextIn(language, "; нищо не е прочетено или записано",
                                    "; nothing was read or written")));
}

// By the file itself, not its name: a second name or a link to the logbook is the logbook.
// The certificates are not replaced by any output, and the summary does not replace the
// table or the chart of the same run.
bool RefusedOutputs(const BatchOptions& options, std::FILE* in) {
    const MessageLanguage language = options.conversion.language;
    const std::optional<FileIdentity> input = IdentityOf(in);
    for (const NamedFile& output : OutputsBesideTheTable(options)) {
        if (input && IdentityOf(output.path) == input) {
            RefuseOutput(
                output,
                TextIn(language, "това е самият входен файл, ", "this is the input file itself, "),
                InputName(options), language);
            return true;
        }
    }
    const std::vector<NamedFile> outputs = FileOutputs(options);
    for (const NamedFile& output : outputs) {
        if (options.corrections && IdentityOf(output.path) &&
            IdentityOf(output.path) == IdentityOf(*options.corrections)) {
            RefuseOutput(
                output,
                TextIn(language, "това е файлът с поправките, ", "this is the corrections file, "),
                *options.corrections, language);
            return true;
        }
    }
    for (const NamedFile& output : outputs) {
        if (output.option != "--summary") {
            continue;
        }
        for (const NamedFile& other : outputs) {
            if (other.option != "--summary" && SameFile(output.path, other.path)) {
                RefuseOutput(output,
                             TextIn(language, "това е и файлът на ", "this is also the file of "),
                             other.option, language);
                return true;
            }
        }
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A terminal or a pipe reads UTF-8, whatever the logbook came in; the files follow the logbook.
int ConvertToStandardOutput(const BatchOptions& options, std::FILE* in, RowSinks& sinks) {
    ConversionSettings settings = options.conversion;
    settings.outputEncoding = settings.outputEncoding.value_or(TextEncoding::Utf8);
    int writeError = 0;
    const int status = Convert(options, settings, in, stdout, writeError, sinks);
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
                  RowSinks& sinks) {
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
    const int status = Convert(options, options.conversion, in, output.Stream(), writeError, sinks);
    if (status == CannotRead || status == NoDateColumn) {
        return status; // the old table stays as it was
    }
    if (status == CannotWrite || !output.Commit()) {
        Complain(target, WriteFailureText(output.Why(), output.ErrorNumber(), language));
        return CannotRead;
    }
    return status;
}

int ConvertTable(const BatchOptions& options, std::FILE* in, const timespec& runStart,
                 RowSinks& sinks) {
    if (!options.output || NamesStandardOutput(*options.output)) {
        return ConvertToStandardOutput(options, in, sinks);
    }
    return ConvertToFile(options, in, runStart, sinks);
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

// An output written after the whole table, and like it through a file beside its target:
// a run that fails or is cut short keeps what was there.
class LaterOutput {
  public:
    explicit LaterOutput(std::string target) : target_(std::move(target)) {}

    // Made before anything is read, as the table's is: an output that cannot be written is
    // known before the logbook is spent.
    bool Prepare(const timespec& runStart, MessageLanguage language) {
        if (NamesStandardOutput(target_)) {
            return true;
        }
        const std::string prefix = TemporaryPrefixFor(target_);
        file_.emplace(target_,
                      ReplacementOptions{.mayWriteInPlace = false, .temporaryPrefix = prefix});
        if (!file_->IsOpen()) {
            Complain(target_, CreateFailureText(file_->Why(), file_->ErrorNumber(), language));
            return false;
        }
        RemoveStaleTemporaries(FolderOf(file_->TargetPath()), prefix, runStart,
                               file_->TemporaryPath());
        return true;
    }

    // False, once said why, when it could not be written or put in place.
    bool Finish(const std::function<bool(std::FILE*)>& write, MessageLanguage language) {
        if (!write(file_ ? file_->Stream() : stdout)) {
            const int error = errno;
            Complain(file_ ? target_
                           : std::string(TextIn(language, "стандартен изход", "standard output")),
                     WriteFailureText(FailureOfError(error), error, language));
            return false;
        }
        if (file_ && !file_->Commit()) {
            Complain(target_, WriteFailureText(file_->Why(), file_->ErrorNumber(), language));
            return false;
        }
        return true;
    }

  private:
    std::string target_;
    std::optional<ReplacementFile> file_;
};

void TellUndatedRows(const BatchOptions& options, std::uint64_t rows) {
    if (rows == 0) {
        return;
    }
    const MessageLanguage language = options.conversion.language;
    const bool one = rows == 1;
    Complain(InputName(options),
             std::to_string(rows) +
                 std::string(one ? TextIn(language, " ред без дата не влиза в обобщението",
                                          " row without a date is left out of the summary")
                                 : TextIn(language, " реда без дата не влизат в обобщението",
                                          " rows without a date are left out of the summary")));
}

int ConvertTo(const BatchOptions& options, std::FILE* in, const timespec& runStart) {
    if (RefusedOutputs(options, in)) {
        return OutputIsTheInput;
    }
    const MessageLanguage language = options.conversion.language;
    std::optional<LaterOutput> chart;
    std::optional<LaterOutput> summaryFile;
    if (options.chart && !chart.emplace(*options.chart).Prepare(runStart, language)) {
        return CannotRead;
    }
    if (options.summary && !summaryFile.emplace(*options.summary).Prepare(runStart, language)) {
        return CannotRead;
    }
    LogbookChart readings;
    LogbookSummary summary(options.summaryPeriod.value_or(SummaryPeriod::Day));
    RowSinks sinks;
    if (chart) {
        sinks.computed = [&readings](const RowCells& cells) {
            readings.Add(cells.reading, cells.observed ? cells.observed->month : 0);
        };
    }
    if (summaryFile) {
        sinks.written = [&summary](const RowCells& cells) { summary.Add(cells); };
    }
    const int status = ConvertTable(options, in, runStart, sinks);
    if (status == NoDateColumn) {
        return Refused;
    }
    if (status == CannotRead) {
        return status;
    }
    if (chart && !chart->Finish([&](std::FILE* out) { return WriteChart(readings, options, out); },
                                language)) {
        return CannotRead;
    }
    if (summaryFile) {
        const OutputFormat format =
            NamesStandardOutput(*options.summary) && !options.conversion.outputEncoding
                ? InUtf8(sinks.format, sinks.inputByteOrderMark)
                : sinks.format;
        if (!summaryFile->Finish([&](std::FILE* out) { return summary.Write(out, format); },
                                 language)) {
            return CannotRead;
        }
        TellUndatedRows(options, summary.UndatedRows());
    }
    return status;
}

// The certificates, read whole before the logbook; false once said what is wrong.
bool ReadCorrections(BatchOptions& options) {
    const MessageLanguage language = options.conversion.language;
    const std::string& path = *options.corrections;
    const OwnedFile file(OpenForReading(path));
    if (!file) {
        Complain(path, OpenFailureText(errno, language));
        return false;
    }
    auto read = ReadCorrectionsFile(file.get(), language);
    if (const auto* problem = std::get_if<CorrectionsFileProblem>(&read)) {
        Complain(path + ":" + std::to_string(problem->line), problem->text);
        return false;
    }
    options.conversion.corrections = std::move(std::get<ThermometerCorrections>(read));
    return true;
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
    auto options = std::get<BatchOptions>(parsed);
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
    if (options.refusedCoefficient) {
        Complain("--coefficient " + *options.refusedCoefficient,
                 std::string(TextIn(language,
                                    "коефициентът на психрометъра е число от 0.0003 до 0.0020 "
                                    "на °C; нищо не е прочетено или записано",
                                    "a psychrometer coefficient is a number from 0.0003 to 0.0020 "
                                    "per °C; nothing was read or written")));
        return Refused;
    }
    if (options.corrections && !ReadCorrections(options)) {
        return CannotRead;
    }
    if (RefusedChartRange(options)) {
        return Refused;
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
