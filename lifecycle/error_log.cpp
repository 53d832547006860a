#include "lifecycle/error_log.h"

#include <array>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct CivilMinute {
    std::int64_t year;
    int month, day, hour, minute;
};

// Days since 1970-01-01 to the proleptic Gregorian calendar (Howard Hinnant's
// civil_from_days); plain integer arithmetic, so it may run in a signal handler.
CivilMinute CivilFromSeconds(toolkit::Date seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const auto month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day, static_cast<int>(rest / 3600),
            static_cast<int>(rest / 60 % 60)};
}

constexpr std::string_view logFileName = "ErrorLog.dat";

} // namespace

void JoinErrorLogPath(std::string_view directory, PathText& path) {
    path.Append(directory);
    if (!directory.ends_with('/')) {
        path.Append('/');
    }
    path.Append(logFileName);
}

void AppendLogDate(toolkit::Date date, LogEntryText& out) {
    const CivilMinute t = CivilFromSeconds(date);
    out.AppendNumber(t.day, 2);
    out.Append('/');
    out.AppendNumber(t.month, 2);
    out.Append('/');
    out.AppendNumber(t.year, 4);
    out.Append(" / ");
    out.AppendNumber(t.hour, 2);
    out.Append(':');
    out.AppendNumber(t.minute, 2);
}

void ComposeLogEntry(toolkit::Date date, std::string_view message, std::string_view location,
                     LogEntryText& entry) {
    AppendLogDate(date, entry);
    entry.Append('\n');
    entry.Append(message);
    entry.Append("  в ");
    entry.Append(location);
    entry.Append('\n');
}

toolkit::Date LocalDateWithOffset(long utcOffsetSeconds) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<toolkit::Date>(now.tv_sec) + utcOffsetSeconds;
}

long CurrentUtcOffset() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return 0;
    }
    return local.tm_gmtoff;
}

bool AppendToFile(const char* path, std::string_view entry) {
    int fd = -1;
    do {
        fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return false;
    }
    // One write keeps the entry whole in the file; only an interrupted write is retried.
    ssize_t written = -1;
    do {
        written = write(fd, entry.data(), entry.size());
    } while (written < 0 && errno == EINTR);
    const bool whole = written == static_cast<ssize_t>(entry.size());
    close(fd);
    return whole;
}

bool AppendToErrorLog(std::string_view entry) {
    // The system call itself: the library's getcwd may fall back to allocating.
    std::array<char, 4096> buffer{};
    if (syscall(SYS_getcwd, buffer.data(), buffer.size()) < 0 || buffer[0] != '/') {
        return false;
    }
    PathText path;
    JoinErrorLogPath(std::string_view(buffer.data()), path);
    if (path.Truncated()) {
        return false;
    }
    return AppendToFile(path.CString(), entry);
}
