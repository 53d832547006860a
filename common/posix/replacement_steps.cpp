// The POSIX steps of a replacement: the C library's streams write through a cookie, so
// that the reason of a failed write (a full disk, the size limit) reaches the file at once.
#include "common/replacement_steps.h"
#include "common/replacement_file.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace replacement {
namespace {

// The system's own bound on links followed while resolving one name.
constexpr int maxLinksFollowed = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links, dangling ones too, to the name that is finally written.
Target FollowLinks(std::string path, struct stat& info) {
    for (int followed = 0; followed <= maxLinksFollowed; ++followed) {
        Target target;
        target.path = path;
        if (lstat(path.c_str(), &info) != 0) {
            target.error = errno == ENOENT ? 0 : errno;
            return target;
        }
        if (!S_ISLNK(info.st_mode)) {
            target.kind = S_ISDIR(info.st_mode)   ? TargetKind::Folder
                          : S_ISREG(info.st_mode) ? TargetKind::OrdinaryFile
                                                  : TargetKind::Other;
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

int ErrorOf(int result) {
    return result == 0 ? 0 : errno;
}

} // namespace

Target LookAt(std::string_view path) {
    struct stat info {};
    Target target = FollowLinks(std::string(path), info);
    target.folder = FolderOf(target.path);
    if (target.error == 0 && target.kind == TargetKind::OrdinaryFile) {
        target.writeError = ErrorOf(faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS));
    }
    return target;
}

OpenedFile CreateBeside(const Target& target, std::string_view prefix) {
    std::string pattern = target.folder;
    if (pattern.back() != '/') {
        pattern += '/';
    }
    pattern += prefix;
    pattern += "XXXXXX";
    OpenedFile opened;
    opened.descriptor = mkostemp(pattern.data(), O_CLOEXEC);
    opened.error = opened.descriptor < 0 ? errno : 0;
    opened.path = opened.descriptor < 0 ? std::string() : pattern;
    return opened;
}

int TakeOverPermissions(int descriptor, const Target& target) {
    struct stat info {};
    if (target.kind != TargetKind::OrdinaryFile || stat(target.path.c_str(), &info) != 0) {
        return ErrorOf(fchmod(descriptor, OrdinaryFileMode()));
    }
    if (fchown(descriptor, info.st_uid, info.st_gid) != 0) {
        // Without the right to give the file away, at least keep its group if allowed.
        if (fchown(descriptor, static_cast<uid_t>(-1), info.st_gid) != 0) {
            // The new file then belongs to whoever saves it, as any new file would.
        }
    }
    return ErrorOf(fchmod(descriptor, info.st_mode & 0777));
}

OpenedFile OpenInPlace(const Target& target) {
    OpenedFile opened;
    opened.descriptor =
        open(target.path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (opened.descriptor < 0) {
        opened.error = errno;
        return opened;
    }
    struct stat info {};
    if (fstat(opened.descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(opened.descriptor);
        opened.descriptor = -1;
        opened.ordinary = false;
    }
    return opened;
}

int FlushError() {
    return 0; // the stream's own write has told the file why
}

int FlushToDisk(int descriptor) {
    return ErrorOf(fsync(descriptor));
}

int CloseStream(std::FILE* stream) {
    return std::fclose(stream) == 0 ? 0 : errno;
}

void CloseDescriptor(int descriptor) {
    close(descriptor);
}

void Empty(int descriptor) {
    if (ftruncate(descriptor, 0) != 0) {
        // The save is reported as failed either way.
    }
}

int MoveOver(const std::string& temporary, const std::string& target) {
    return ErrorOf(std::rename(temporary.c_str(), target.c_str()));
}

void Remove(const std::string& path) {
    unlink(path.c_str());
}

int PortableError(int error) {
    return error == EDQUOT ? ENOSPC : error;
}

} // namespace replacement

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
    static int Close(void* cookie) {
        return close(static_cast<ReplacementFile*>(cookie)->descriptor_);
    }
};

std::FILE* ReplacementFile::OpenStream() {
    const cookie_io_functions_t functions{nullptr, ReplacementFileAccess::Write, nullptr,
                                          ReplacementFileAccess::Close};
    return fopencookie(this, "wb", functions);
}
