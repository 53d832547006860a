#include "batch/table_output.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t RandomCharacters = 6;

bool Before(const timespec& changed, const timespec& start) {
    return changed.tv_sec < start.tv_sec ||
           (changed.tv_sec == start.tv_sec && changed.tv_nsec < start.tv_nsec);
}

} // namespace

void RemoveStaleTemporaries(const std::string& folder, std::string_view prefix,
                            const timespec& runStart, const std::string& keep) {
    namespace fs = std::filesystem;
    const std::string kept = fs::path(keep).filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() != prefix.size() + RandomCharacters || !name.starts_with(prefix) ||
            name == kept) {
            continue;
        }
        struct stat info {};
        if (lstat(entry->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            Before(info.st_mtim, runStart)) {
            unlink(entry->path().c_str());
        }
    }
}
