#include "pages/replacement_file.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes through a symbolic link rather than replacing the link with a plain file.
std::string ResolvedTarget(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path; // not there yet (or unreachable): rename will say so
    }
    std::string result = resolved;
    std::free(resolved);
    return result;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
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

ReplacementFile::ReplacementFile(std::string_view targetPath) {
    if (targetPath.empty() || targetPath.find('\0') != std::string_view::npos) {
        return; // a name cut short at a NUL byte would write some other file
    }
    target_ = ResolvedTarget(std::string(targetPath));
    std::string pattern = FolderOf(target_);
    pattern += pattern.back() == '/' ? ".zorvel-XXXXXX" : "/.zorvel-XXXXXX";
    const int descriptor = mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    temporary_ = pattern;
    if (fchmod(descriptor, OrdinaryFileMode()) != 0) {
        close(descriptor);
        Discard();
        return;
    }
    stream_ = fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        close(descriptor);
        Discard();
    }
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
    const bool written =
        std::fflush(stream_) == 0 && std::ferror(stream_) == 0 && fsync(fileno(stream_)) == 0;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!written || !closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    committed_ = true;
    return true;
}

void ReplacementFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}
