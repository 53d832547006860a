#include "common/replacement_file.h"

#include "common/windows/wide_text.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// The errno a Win32 error stands for, so that callers word one set of failures on every
// platform; EIO when the error has no closer match.
int ErrnoOfSystemError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    if (separator == std::wstring::npos) {
        return L".";
    }
    // "C:\" and "C:" keep their separator; "\" alone is the drive's root.
    if (separator == 0 || path[separator] == L':' || (separator == 2 && path[1] == L':')) {
        return path.substr(0, separator + 1);
    }
    return path.substr(0, separator);
}

struct Target {
    std::wstring path;
    bool exists = false;
    DWORD attributes = 0;
    DWORD error = ERROR_SUCCESS; // why the name could not be looked at
};

// A link or junction is followed to the file it names, so that the link stays a link and
// the file gets the new content in its own folder.
Target LookAt(std::wstring path) {
    Target target;
    target.path = std::move(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(target.path.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        target.error = error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
        return target;
    }
    target.exists = true;
    target.attributes = data.dwFileAttributes;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        const HANDLE file = CreateFileW(
            target.path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            // A dangling link: its target is created where the link points, like a new file.
            target.error = GetLastError();
            return target;
        }
        std::wstring final(32768, L'\0');
        const DWORD length =
            GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
        CloseHandle(file);
        if (length == 0 || length >= final.size()) {
            target.error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
            return target;
        }
        final.resize(length);
        return LookAt(std::move(final));
    }
    return target;
}

// Devices ("NUL", "COM1"), pipes and consoles open as files but are not ordinary ones.
bool IsOrdinaryFile(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return true; // nothing to tell; the replacement itself will say what is wrong
    }
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return disk;
}

// A name of its own in the target's folder for each try.
std::wstring TemporaryName(const std::wstring& folder, unsigned attempt) {
    std::wstring name = folder;
    if (!name.empty() && name.back() != L'\\' && name.back() != L'/' && name.back() != L':') {
        name += L'\\';
    }
    std::uint64_t seed = GetTickCount64() * 2654435761u + GetCurrentProcessId() * 40503u + attempt;
    name += L".zorvel-";
    for (int i = 0; i < 6; ++i) {
        name += L"abcdefghijklmnopqrstuvwxyz0123456789"[seed % 36];
        seed /= 36;
    }
    return name;
}

} // namespace

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

// Win32 errors go through their errno, so both platforms report one set of failures.
struct ReplacementFileAccess {
    static void FailWithSystemError(ReplacementFile& file, DWORD error) {
        file.FailWithError(ErrnoOfSystemError(error));
    }
};

ReplacementFile::ReplacementFile(std::string_view targetPath) {
    if (targetPath.empty() || targetPath.find('\0') != std::string_view::npos) {
        // A name cut short at a NUL byte would write some other file.
        Fail(Failure::Other, EINVAL);
        return;
    }
    const std::optional<std::wstring> typed = common::WideFromUtf8(targetPath);
    if (!typed) {
        Fail(Failure::Other, EINVAL);
        return;
    }
    const Target target = LookAt(*typed);
    target_ = common::Utf8FromWide(target.path);
    if (target.error != ERROR_SUCCESS) {
        ReplacementFileAccess::FailWithSystemError(*this, target.error);
        return;
    }
    if (target.exists) {
        if ((target.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            Fail(Failure::IsFolder, EISDIR);
            return;
        }
        if (!IsOrdinaryFile(target.path)) {
            Fail(Failure::NotOrdinaryFile, 0);
            return;
        }
        // Replacing a file needs only the folder's permission; the file's own protection
        // would be lost without this check.
        if ((target.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            Fail(Failure::WriteProtected, EACCES);
            return;
        }
    }
    OpenTemporary(common::Utf8FromWide(FolderOf(target.path)), target.exists, 0, 0, 0);
}

bool ReplacementFile::OpenTemporary(const std::string& folder, bool, unsigned, unsigned, unsigned) {
    const std::wstring wideFolder = common::WideFromUtf8(folder).value_or(L".");
    HANDLE file = INVALID_HANDLE_VALUE;
    std::wstring name;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        name = TemporaryName(wideFolder, attempt);
        // Delete sharing lets the fault filter remove the file while it is still open.
        file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        ReplacementFileAccess::FailWithSystemError(*this, GetLastError());
        return false;
    }
    temporary_ = common::Utf8FromWide(name);
    faultCleanup_.Register(temporary_);
    descriptor_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (descriptor_ < 0) {
        CloseHandle(file);
        Fail(Failure::Other, EMFILE);
        Discard();
        return false;
    }
    return AttachStream();
}

bool ReplacementFile::OpenInPlace() {
    // Never on this platform: a folder that takes no new file is reported as such.
    return false;
}

bool ReplacementFile::AttachStream() {
    stream_ = _fdopen(descriptor_, "wb");
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
    // The runtime keeps the system's own error of a failed write.
    const bool flushed = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    if (!flushed) {
        ReplacementFileAccess::FailWithSystemError(*this, _doserrno);
        Discard();
        return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor_));
    if (!FlushFileBuffers(handle)) {
        ReplacementFileAccess::FailWithSystemError(*this, GetLastError());
        Discard();
        return false;
    }
    std::FILE* const stream = stream_;
    stream_ = nullptr;
    descriptor_ = -1;
    if (std::fclose(stream) != 0) {
        ReplacementFileAccess::FailWithSystemError(*this, _doserrno);
        Discard();
        return false;
    }
    const std::wstring target = common::WideFromUtf8(target_).value_or(L"");
    const std::wstring temporary = common::WideFromUtf8(temporary_).value_or(L"");
    // ReplaceFileW keeps the target's attributes and permissions; a new target, or a file
    // system without that support, gets a plain move that reaches the disk before it returns.
    const bool replaced = ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
                          MoveFileExW(temporary.c_str(), target.c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        ReplacementFileAccess::FailWithSystemError(*this, GetLastError());
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
        std::fclose(stream_); // closes the descriptor and its handle too
        stream_ = nullptr;
        descriptor_ = -1;
    }
    if (descriptor_ >= 0) {
        _close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        if (const std::optional<std::wstring> temporary = common::WideFromUtf8(temporary_)) {
            DeleteFileW(temporary->c_str());
        }
        temporary_.clear();
    }
    faultCleanup_.Forget();
}
