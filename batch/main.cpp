// zorvel-batch: a psychrometer logbook in, the calculator's results for every row out.
#include "batch/batch_options.h"
#include "batch/file_failure_text.h"
#include "batch/logbook_conversion.h"
#include "batch/progress_line.h"
#include "batch/two_languages.h"
#include "common/replacement_file.h"
#include "zorvel_version.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int AllComputed = 0;
constexpr int CannotRead = 1;
constexpr int SomeRowsFailed = 2;
// Told by Convert, which cannot know why: only the caller knows where the output went.
constexpr int CannotWrite = -1;

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

int Convert(const BatchOptions& options, std::FILE* in, std::FILE* out) {
    ProgressLine progress(in, stderr, options.conversion.language);
    const ConversionReport report = ConvertLogbook(
        in, out, options.conversion,
        [&progress](std::uint64_t rows, std::uint64_t bytes) { progress.Update(rows, bytes); });
    if (report.inputError) {
        Complain(InputName(options) + ":" + std::to_string(report.inputErrorLine),
                 *report.inputError);
        return CannotRead;
    }
    if (report.writeFailed) {
        return CannotWrite;
    }
    return report.failedRows > 0 ? SomeRowsFailed : AllComputed;
}

// Where the replacement file would write the table into the file itself because its folder
// takes no new file, a run that broke half-way would cost the old table: such a folder is
// refused, with the system's error number for it (0 when the folder is writable).
int FolderRefusal(const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::canonical(target, error);
    if (error || !fs::is_regular_file(file, error)) {
        return 0; // the replacement file tells what is wrong with such a name
    }
    return faccessat(AT_FDCWD, file.parent_path().c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int ConvertTo(const BatchOptions& options, std::FILE* in) {
    const MessageLanguage language = options.conversion.language;
    if (!options.output) {
        const int status = Convert(options, in, stdout);
        if (status == CannotWrite) {
            const int error = errno;
            Complain(std::string(TextIn(language, "стандартен изход", "standard output")),
                     WriteFailureText(FailureOfError(error), error, language));
            return CannotRead;
        }
        return status;
    }
    const std::string& target = *options.output;
    if (const int refusal = FolderRefusal(target); refusal != 0) {
        Complain(target, WriteFailureText(FailureOfError(refusal), refusal, language));
        return CannotRead;
    }
    ReplacementFile output(target);
    if (!output.IsOpen()) {
        Complain(target, WriteFailureText(output.Why(), output.ErrorNumber(), language));
        return CannotRead;
    }
    const int status = Convert(options, in, output.Stream());
    if (status == CannotRead) {
        return CannotRead; // the old table stays as it was
    }
    if (status == CannotWrite || !output.Commit()) {
        Complain(target, WriteFailureText(output.Why(), output.ErrorNumber(), language));
        return CannotRead;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
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
    if (options.help) {
        const std::string_view usage = BatchUsage(options.conversion.language);
        std::fwrite(usage.data(), 1, usage.size(), stdout);
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
        Complain(options.input, OpenFailureText(errno, options.conversion.language));
        return CannotRead;
    }
    return ConvertTo(options, in.get());
}
