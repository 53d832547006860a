#include "lifecycle/error_log.h"

#include <array>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr const char* logFileName = "ErrorLog.dat";

} // namespace

common::Date LocalDateWithOffset(long utcOffsetSeconds) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<common::Date>(now.tv_sec) + utcOffsetSeconds;
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
    // No link is followed to some other file, and a FIFO without a reader fails at once
    // instead of holding the faulted program forever.
    int fd = -1;
    do {
        fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd); // a FIFO with a reader, a device: not a log
        return false;
    }
    // One write keeps the entry whole in the file; only an interrupted write is retried.
    ssize_t written = -1;
    do {
        written = write(fd, entry.data(), entry.size());
    } while (written < 0 && errno == EINTR);
    const bool whole = written == static_cast<ssize_t>(entry.size());
    if (!whole) {
        // A full disk or the size limit took part of the entry: the file keeps whole
        // entries only.
        if (ftruncate(fd, info.st_size) != 0) {
            // Nothing more can be done from here; the entry is reported as not written.
        }
    }
    close(fd);
    return whole;
}

bool AppendToErrorLog(std::string_view entry) {
    // The system call itself: the library's getcwd may fall back to allocating. Only a
    // removed or unreachable working directory stops the entry; one too long for the
    // buffer still gets it, since the file is opened by its name relative to it.
    std::array<char, 4096> buffer{};
    if (syscall(SYS_getcwd, buffer.data(), buffer.size()) < 0) {
        if (errno != ERANGE && errno != ENAMETOOLONG) {
            return false;
        }
    } else if (buffer[0] != '/') {
        return false;
    }
    return AppendToFile(logFileName, entry);
}
