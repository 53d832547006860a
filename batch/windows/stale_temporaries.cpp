#include "batch/table_output.h"

#include <cstdint>
#include <filesystem>
#include <windows.h>

namespace {

constexpr std::size_t RandomCharacters = 6;

// 100-nanosecond ticks from 1601-01-01 to 1970-01-01.
constexpr std::int64_t unixEpochTicks = 116444736000000000;

std::int64_t TicksOf(const timespec& time) {
    return unixEpochTicks + static_cast<std::int64_t>(time.tv_sec) * 10000000 + time.tv_nsec / 100;
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
        // Links and junctions are left alone, as on POSIX.
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const std::wstring path = entry->path().wstring();
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                                      FILE_ATTRIBUTE_DEVICE)) != 0) {
            continue;
        }
        const std::int64_t changed =
            (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime;
        if (changed < TicksOf(runStart)) {
            DeleteFileW(path.c_str());
        }
    }
}
