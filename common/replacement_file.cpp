// The replacement on every platform: look at the target, open a file beside it, write,
// flush to the disk, move it over the target; on any failure the new file goes and the
// target keeps what it held. The platform's steps are in replacement_steps.h.
#include "common/replacement_file.h"

#include "common/replacement_steps.h"

#include <cerrno>
#include <utility>

using replacement::TargetKind;

ReplacementFile::Failure FailureOfError(int error) {
    switch (replacement::PortableError(error)) {
    case ENOENT:
    case ENOTDIR:
        return ReplacementFile::Failure::NoSuchFolder;
    case EACCES:
    case EPERM:
        return ReplacementFile::Failure::NoPermission;
    // Windows' sharing and lock violations; on POSIX a program being run, or a folder or
    // mount point in use.
    case EBUSY:
    case ETXTBSY:
        return ReplacementFile::Failure::InUse;
    case EROFS:
        return ReplacementFile::Failure::ReadOnlyDisk;
    case ENOSPC:
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

ReplacementFile::ReplacementFile(std::string_view targetPath, const ReplacementOptions& options) {
    if (targetPath.empty() || targetPath.find('\0') != std::string_view::npos) {
        // A name cut short at a NUL byte would write some other file.
        Fail(Failure::Other, EINVAL);
        return;
    }
    const replacement::Target target = replacement::LookAt(targetPath);
    target_ = target.path;
    if (target.error != 0) {
        FailWithError(target.error);
        return;
    }
    if (target.kind == TargetKind::Folder) {
        Fail(Failure::IsFolder, EISDIR);
        return;
    }
    if (target.kind == TargetKind::Other) {
        Fail(Failure::NotOrdinaryFile, 0);
        return;
    }
    // Replacing a file needs only the folder's permission; the file's own protection
    // would be lost without this check.
    if (const int error = target.writeError; error != 0) {
        Fail(error == EACCES || error == EPERM ? Failure::WriteProtected : FailureOfError(error),
             error);
        return;
    }
    if (OpenTemporary(target, options.temporaryPrefix)) {
        return;
    }
    if (target.kind == TargetKind::OrdinaryFile && options.mayWriteInPlace && OpenInPlace(target)) {
        // The folder takes no new file, but the file itself may be written.
        failure_ = Failure::None;
        error_ = 0;
    }
}

bool ReplacementFile::OpenTemporary(const replacement::Target& target, std::string_view prefix) {
    const replacement::OpenedFile opened = replacement::CreateBeside(target, prefix);
    if (opened.descriptor < 0) {
        FailWithError(opened.error);
        return false;
    }
    descriptor_ = opened.descriptor;
    temporary_ = opened.path;
    faultCleanup_.Register(temporary_);
    if (const int error = replacement::TakeOverPermissions(descriptor_, target)) {
        return Abandon(error);
    }
    return AttachStream();
}

bool ReplacementFile::OpenInPlace(const replacement::Target& target) {
    const replacement::OpenedFile opened = replacement::OpenInPlace(target);
    if (!opened.ordinary) {
        // Checked again on the open file: the name may have changed hands since.
        Fail(Failure::NotOrdinaryFile, 0);
        return false;
    }
    if (opened.descriptor < 0) {
        FailWithError(opened.error);
        return false;
    }
    descriptor_ = opened.descriptor;
    inPlace_ = true;
    faultCleanup_.Register(target_);
    return AttachStream();
}

bool ReplacementFile::AttachStream() {
    stream_ = OpenStream();
    if (stream_ == nullptr) {
        return Abandon(errno);
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
    if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) {
        return Abandon(replacement::FlushError());
    }
    if (const int error = replacement::FlushToDisk(descriptor_)) {
        return Abandon(error);
    }
    const int closeError = replacement::CloseStream(std::exchange(stream_, nullptr));
    descriptor_ = -1;
    if (closeError != 0) {
        return Abandon(closeError);
    }
    if (const int error = temporary_.empty() ? 0 : replacement::MoveOver(temporary_, target_)) {
        return Abandon(error);
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

bool ReplacementFile::Abandon(int error) {
    FailWithError(error);
    Discard();
    return false;
}

void ReplacementFile::Discard() {
    if (inPlace_ && descriptor_ >= 0) {
        // Written in place into a folder that keeps its names: an empty file says more
        // than a torn page, should the file not go.
        if (stream_ != nullptr) {
            std::fflush(stream_);
        }
        replacement::Empty(descriptor_);
    }
    if (stream_ != nullptr) {
        replacement::CloseStream(stream_);
        stream_ = nullptr;
    } else if (descriptor_ >= 0) {
        replacement::CloseDescriptor(descriptor_);
    }
    descriptor_ = -1;
    if (inPlace_) {
        replacement::Remove(target_);
        inPlace_ = false;
    }
    if (!temporary_.empty()) {
        replacement::Remove(temporary_);
        temporary_.clear();
    }
    faultCleanup_.Forget();
}
