// A file written beside its target and moved over it only once it is complete, so that
// a failed write never destroys what the target held.
#pragma once

#include "common/removed_on_fault.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace replacement {
struct Target;
}

struct ReplacementOptions {
    // When the folder takes no new file, an existing target may be written in place
    // instead. A help page can be saved again after a failure; a table that cannot be typed
    // again must never be, so its writer says false.
    bool mayWriteInPlace = true;
    // The temporary file is named this, then six random characters, in the target's folder.
    std::string_view temporaryPrefix = ".zorvel-";
};

class ReplacementFile {
  public:
    // Why the file could not be written. Callers word these for their own users.
    enum class Failure {
        None,
        NoSuchFolder,
        NoPermission,    // this user may not create files in the folder
        ReadOnlyDisk,    // the file system is mounted read-only
        DiskFull,        // no space (or quota) left
        TooLarge,        // the process's file-size limit was reached
        IsFolder,        // the name is a folder's
        WriteProtected,  // the file exists and this user may not write to it
        NotOrdinaryFile, // a FIFO, a device or a socket: never replaced
        NameTooLong,
        InUse, // another program holds the file open and lets no one replace it
        Other,
    };

    // Checks the target and creates the temporary file in the target's folder (a symbolic
    // link is followed to the file it names). Check IsOpen before writing.
    explicit ReplacementFile(std::string_view targetPath, const ReplacementOptions& options = {});
    // Removes the temporary file unless Commit succeeded.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool IsOpen() const { return stream_ != nullptr; }
    // The file finally written (links followed) and the temporary one beside it (empty
    // when there is none).
    const std::string& TargetPath() const { return target_; }
    const std::string& TemporaryPath() const { return temporary_; }
    // Where to write; valid while IsOpen.
    std::FILE* Stream() const { return stream_; }

    // Flushes the written bytes to the disk, closes the file and renames it over the
    // target. True only when every step succeeded; otherwise the target is untouched.
    bool Commit();

    // The first failure met so far (None while all went well), and the system's error
    // number behind it (0 when the failure was found without one).
    Failure Why() const { return failure_; }
    int ErrorNumber() const { return error_; }

  private:
    friend struct ReplacementFileAccess;

    void Fail(Failure failure, int error);
    void FailWithError(int error);
    // Fails with error, and what was written goes; false.
    bool Abandon(int error);
    bool OpenTemporary(const replacement::Target& target, std::string_view prefix);
    bool OpenInPlace(const replacement::Target& target);
    bool AttachStream();
    // The platform's stream over descriptor_, which it closes with it (posix/, windows/).
    std::FILE* OpenStream();
    void Discard();

    std::string target_;
    std::string temporary_; // empty when the target itself is written
    bool inPlace_ = false;  // the target is written directly and removed on failure
    int descriptor_ = -1;   // owned by stream_ once there is one
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
    Failure failure_ = Failure::None;
    int error_ = 0;
    RemovedOnFault faultCleanup_;
};

// The failure an error number (errno) of a file operation stands for.
ReplacementFile::Failure FailureOfError(int error);
