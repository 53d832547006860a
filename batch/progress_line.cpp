#include "batch/progress_line.h"

#include "batch/process_guard.h"
#include "batch/two_languages.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Short logbooks are done before a person would read the line.
constexpr std::uint64_t RowsBeforeProgress = 100'000;

} // namespace

ProgressLine::ProgressLine(std::FILE* in, std::FILE* err, MessageLanguage language)
    : err_(err), rowsWord_(TextIn(language, "реда", "rows").data()) {
    struct stat status {};
    if (isatty(fileno(err)) == 1 && fstat(fileno(in), &status) == 0 && S_ISREG(status.st_mode)) {
        wanted_ = true;
        fileBytes_ = static_cast<std::uint64_t>(status.st_size);
    }
}

ProgressLine::~ProgressLine() {
    if (shown_) {
        std::fputc('\n', err_);
        std::fflush(err_);
        SetProgressLineOpen(false);
    }
}

void ProgressLine::Update(std::uint64_t rows, std::uint64_t bytes) {
    if (!wanted_ || rows <= RowsBeforeProgress) {
        return;
    }
    const std::uint64_t percent = fileBytes_ > 0 ? bytes * 100 / fileBytes_ : 0;
    std::fprintf(err_, "\rzorvel-batch: %llu %s, %llu %%", static_cast<unsigned long long>(rows),
                 rowsWord_, static_cast<unsigned long long>(percent));
    std::fflush(err_);
    shown_ = true;
    SetProgressLineOpen(true);
}
