#include "batch/table_output.h"

#include "common/windows/wide_text.h"

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

// The names are compared in UTF-16, as the system gives them: narrow names would pass
// through the ANSI code page and no longer match the program's UTF-8.
std::wstring Wide(std::string_view text) {
    return common::IsUtf8(text) ? common::WideFromUtf8(text) : std::wstring();
}

} // namespace

void RemoveStaleTemporaries(const std::string& folder, std::string_view prefix,
                            const timespec& runStart, const std::string& keep) {
    namespace fs = std::filesystem;
    const std::wstring widePrefix = Wide(prefix);
    const std::wstring kept = fs::path(Wide(keep)).filename().wstring();
    if (widePrefix.empty()) {
        return;
    }
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(Wide(folder)), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::wstring name = entry->path().filename().wstring();
        if (name.size() != widePrefix.size() + RandomCharacters || !name.starts_with(widePrefix) ||
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
