#include "lifecycle/error_log.h"

#include <array>
#include <windows.h>

namespace {

constexpr const wchar_t* logFileName = L"ErrorLog.dat";

// 100-nanosecond ticks from 1601-01-01 to 1970-01-01.
constexpr std::int64_t unixEpochTicks = 116444736000000000;

} // namespace

common::Date LocalDateWithOffset(long utcOffsetSeconds) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::int64_t ticks =
        (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - unixEpochTicks) / 10000000 + utcOffsetSeconds;
}

long CurrentUtcOffset() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD which = GetTimeZoneInformation(&zone);
    long bias = zone.Bias;
    if (which == TIME_ZONE_ID_DAYLIGHT) {
        bias += zone.DaylightBias;
    } else if (which == TIME_ZONE_ID_STANDARD) {
        bias += zone.StandardBias;
    }
    return -bias * 60;
}

bool AppendToFile(const char* path, std::string_view entry) {
    // The name in UTF-16 without the heap: the fault filter calls this too.
    std::array<wchar_t, 4096> widePath{};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, widePath.data(),
                                           static_cast<int>(widePath.size()));
    if (length <= 0) {
        return false;
    }
    // Readers may look at the log while it is open; a link or junction is opened as itself
    // and refused, so that no other file is written through it.
    const HANDLE file = CreateFileW(widePath.data(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        CloseHandle(file);
        return false;
    }
    LARGE_INTEGER earlierSize{};
    earlierSize.HighPart = static_cast<LONG>(info.nFileSizeHigh);
    earlierSize.LowPart = info.nFileSizeLow;
    // One write keeps the entry whole in the file.
    DWORD written = 0;
    const bool whole =
        WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr) &&
        written == entry.size();
    if (!whole && written > 0) {
        // A full disk took part of the entry: the file keeps whole entries only.
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile = earlierSize;
        SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
    }
    CloseHandle(file);
    return whole;
}

bool AppendToErrorLog(std::string_view entry) {
    // The working directory, with a separator added only when it has none at its end (a
    // drive's root has one).
    std::array<wchar_t, 4096> path{};
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data());
    if (length == 0 || length >= path.size()) {
        return false;
    }
    std::size_t end = length;
    if (path[end - 1] != L'\\' && path[end - 1] != L'/') {
        path[end++] = L'\\';
    }
    for (const wchar_t* c = logFileName; *c != L'\0' && end + 1 < path.size(); ++c) {
        path[end++] = *c;
    }
    path[end] = L'\0';
    std::array<char, 3 * 4096> utf8{};
    if (WideCharToMultiByte(CP_UTF8, 0, path.data(), -1, utf8.data(), static_cast<int>(utf8.size()),
                            nullptr, nullptr) <= 0) {
        return false;
    }
    return AppendToFile(utf8.data(), entry);
}
