// zorvel-batch: a psychrometer logbook in, the calculator's results for every row out.
#include "batch/batch_options.h"
#include "batch/logbook_conversion.h"
#include "batch/progress_line.h"
#include "pages/replacement_file.h"
#include "zorvel_version.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int AllComputed = 0;
constexpr int CannotRead = 1;
constexpr int SomeRowsFailed = 2;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

void Complain(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "zorvel-batch: %s: %s\n", where.c_str(), what.c_str());
}

std::string InputName(const std::string& input) {
    return input == "-" ? "standard input" : input;
}

int Convert(const BatchOptions& options, std::FILE* in, std::FILE* out) {
    ProgressLine progress(in, stderr);
    const ConversionReport report = ConvertLogbook(
        in, out, options.conversion,
        [&progress](std::uint64_t rows, std::uint64_t bytes) { progress.Update(rows, bytes); });
    if (report.inputError) {
        Complain(InputName(options.input) + ":" + std::to_string(report.inputErrorLine),
                 *report.inputError);
        return CannotRead;
    }
    if (report.writeFailed) {
        Complain(options.output.value_or("standard output"),
                 std::string("cannot write: ") + std::strerror(errno));
        return CannotRead;
    }
    return report.failedRows > 0 ? SomeRowsFailed : AllComputed;
}

int ConvertTo(const BatchOptions& options, std::FILE* in) {
    if (!options.output) {
        return Convert(options, in, stdout);
    }
    ReplacementFile output(*options.output);
    if (!output.IsOpen()) {
        Complain(*options.output, std::string("cannot write: ") + std::strerror(errno));
        return CannotRead;
    }
    const int status = Convert(options, in, output.Stream());
    // A run that stopped half-way leaves the old table as it was.
    if (status != CannotRead && !output.Commit()) {
        Complain(*options.output, std::string("cannot write: ") + std::strerror(errno));
        return CannotRead;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = ParseBatchOptions(args);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "zorvel-batch: %s\nTry 'zorvel-batch --help'.\n", problem->c_str());
        return CannotRead;
    }
    const auto& options = std::get<BatchOptions>(parsed);
    if (options.help) {
        std::fputs(BatchUsage().c_str(), stdout);
        return AllComputed;
    }
    if (options.version) {
        std::printf("zorvel-batch %s\n", zorvel::FileVersion);
        return AllComputed;
    }
    if (options.input == "-") {
        return ConvertTo(options, stdin);
    }
    const OwnedFile in(std::fopen(options.input.c_str(), "rb"));
    if (!in) {
        Complain(options.input, std::string("cannot open: ") + std::strerror(errno));
        return CannotRead;
    }
    return ConvertTo(options, in.get());
}
