#include "common/replacement_file.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The system's own bound on links followed while resolving one name.
constexpr int maxLinksFollowed = 40;

struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
    int error = 0; // why the name could not be looked at, 0 when it could
};

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links, dangling ones too, to the name that is finally written: the
// link stays a link and the file it names gets the page, in that file's own folder.
Target FollowLinks(std::string path) {
    for (int followed = 0; followed <= maxLinksFollowed; ++followed) {
        Target target;
        target.path = path;
        if (lstat(path.c_str(), &target.info) != 0) {
            target.error = errno == ENOENT ? 0 : errno;
            return target;
        }
        if (!S_ISLNK(target.info.st_mode)) {
            target.exists = true;
            return target;
        }
        std::array<char, 4096> link{};
        const ssize_t length = readlink(path.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) >= link.size()) {
            target.error = length < 0 ? errno : ENAMETOOLONG;
            return target;
        }
        const std::string named(link.data(), static_cast<std::size_t>(length));
        if (named.starts_with('/')) {
            path = named;
        } else {
            const std::string folder = FolderOf(path);
            path = (folder == "/" ? "/" : folder + "/") + named;
        }
    }
    Target looping;
    looping.path = path;
    looping.error = ELOOP;
    return looping;
}

// The permissions an ordinary new file gets; mkstemp's 0600 would hide a saved page from
// everybody else. The program has one thread, so reading the mask this way races with
// nothing.
mode_t OrdinaryFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

// The stream's writes go straight to the descriptor, so that the reason of a failed write
// (a full disk, the size limit) is known and not lost inside the C library.
struct ReplacementFileAccess {
    static ssize_t Write(void* cookie, const char* data, std::size_t size) {
        auto* const file = static_cast<ReplacementFile*>(cookie);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t written = write(file->descriptor_, data + done, size - done);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                file->FailWithError(written < 0 ? errno : ENOSPC);
                return done > 0 ? static_cast<ssize_t>(done) : -1;
            }
            done += static_cast<std::size_t>(written);
        }
        return static_cast<ssize_t>(done);
    }
    // The descriptor is closed by the file itself, after fsync.
    static int Close(void*) { return 0; }
};

ReplacementFile::Failure FailureOfError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReplacementFile::Failure::NoSuchFolder;
    case EACCES:
    case EPERM:
        return ReplacementFile::Failure::NoPermission;
    case EROFS:
        return ReplacementFile::Failure::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT:
        return ReplacementFile::Failure::DiskFull;
    case EFBIG:
        return ReplacementFile::Failure::TooLarge;
    case EISDIR:
        return ReplacementFile::Failure::IsFolder;
    case ENAMETOOLONG:
        return ReplacementFile::Failure::NameTooLong;
    default:
        return ReplacementFile::Failure::Other;
    }
}

ReplacementFile::ReplacementFile(std::string_view targetPath) {
    if (targetPath.empty() || targetPath.find('\0') != std::string_view::npos) {
        // A name cut short at a NUL byte would write some other file.
        Fail(Failure::Other, EINVAL);
        return;
    }
    const Target target = FollowLinks(std::string(targetPath));
    target_ = target.path;
    if (target.error != 0) {
        FailWithError(target.error);
        return;
    }
    if (target.exists) {
        if (S_ISDIR(target.info.st_mode)) {
            Fail(Failure::IsFolder, EISDIR);
            return;
        }
        if (!S_ISREG(target.info.st_mode)) {
            Fail(Failure::NotOrdinaryFile, 0);
            return;
        }
        // Renaming over a file needs only the folder's permission; the file's own
        // protection would be lost without this check.
        if (faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
            const int error = errno;
            Fail(error == EACCES || error == EPERM ? Failure::WriteProtected
                                                   : FailureOfError(error),
                 error);
            return;
        }
    }
    const mode_t mode = target.exists ? target.info.st_mode & 0777 : OrdinaryFileMode();
    if (OpenTemporary(FolderOf(target_), target.exists, mode, target.info.st_uid,
                      target.info.st_gid)) {
        return;
    }
    if (target.exists && OpenInPlace()) {
        // The folder takes no new file, but the file itself may be written.
        failure_ = Failure::None;
        error_ = 0;
    }
}

bool ReplacementFile::OpenTemporary(const std::string& folder, bool targetExists, unsigned mode,
                                    unsigned owner, unsigned group) {
    std::string pattern = folder;
    pattern += pattern.back() == '/' ? ".zorvel-XXXXXX" : "/.zorvel-XXXXXX";
    descriptor_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
        FailWithError(errno);
        return false;
    }
    temporary_ = pattern;
    faultCleanup_.Register(temporary_);
    if (targetExists && fchown(descriptor_, owner, group) != 0) {
        // Without the right to give the file away, at least keep its group if allowed.
        if (fchown(descriptor_, static_cast<uid_t>(-1), group) != 0) {
            // The new file then belongs to whoever saves it, as any new file would.
        }
    }
    if (fchmod(descriptor_, mode) != 0) {
        FailWithError(errno);
        Discard();
        return false;
    }
    return AttachStream();
}

bool ReplacementFile::OpenInPlace() {
    descriptor_ = open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor_ < 0) {
        FailWithError(errno);
        return false;
    }
    // Checked again on the open file: the name may have changed hands since.
    struct stat info {};
    if (fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor_);
        descriptor_ = -1;
        Fail(Failure::NotOrdinaryFile, 0);
        return false;
    }
    inPlace_ = true;
    faultCleanup_.Register(target_);
    return AttachStream();
}

bool ReplacementFile::AttachStream() {
    const cookie_io_functions_t functions{nullptr, ReplacementFileAccess::Write, nullptr,
                                          ReplacementFileAccess::Close};
    stream_ = fopencookie(this, "wb", functions);
    if (stream_ == nullptr) {
        FailWithError(errno);
        Discard();
        return false;
    }
    return true;
}

ReplacementFile::~ReplacementFile() {
    if (!committed_) {
        Discard();
    }
}

bool ReplacementFile::Commit() {
    if (stream_ == nullptr) {
        return false;
    }
    const bool flushed = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    std::fclose(stream_);
    stream_ = nullptr;
    if (!flushed) {
        Fail(Failure::Other, 0); // the write itself has said why, when it could
        Discard();
        return false;
    }
    if (fsync(descriptor_) != 0) {
        FailWithError(errno);
        Discard();
        return false;
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (close(descriptor) != 0) {
        FailWithError(errno);
        Discard();
        return false;
    }
    if (!temporary_.empty() && std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        FailWithError(errno);
        Discard();
        return false;
    }
    faultCleanup_.Forget();
    committed_ = true;
    return true;
}

void ReplacementFile::Fail(Failure failure, int error) {
    if (failure_ == Failure::None) {
        failure_ = failure;
        error_ = error;
    }
}

void ReplacementFile::FailWithError(int error) {
    Fail(FailureOfError(error), error);
}

void ReplacementFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (inPlace_ && unlink(target_.c_str()) != 0 && descriptor_ >= 0) {
        // Written in place into a folder that keeps its names: an empty file says more
        // than a torn page.
        if (ftruncate(descriptor_, 0) != 0) {
            // The save is reported as failed either way.
        }
    }
    inPlace_ = false;
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
    faultCleanup_.Forget();
}
