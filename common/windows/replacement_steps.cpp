// The Windows steps of a replacement, in UTF-16 at the system's calls. Win32 errors go
// through their errno, so both platforms report one set of failures.
#include "common/replacement_steps.h"
#include "common/replacement_file.h"

#include "common/windows/system_error.h"
#include "common/windows/wide_text.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace replacement {
namespace {

using common::ErrnoOfSystemError;

int LastError() {
    return ErrnoOfSystemError(GetLastError());
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

// The file (or folder) under the name, open for nothing but looking at it.
HANDLE OpenToLookAt(const std::wstring& path) {
    return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Whether a program holds the file open without letting it be deleted, as a spreadsheet or
// a picture viewer does: no replacement can take its place then. Wine refuses such a
// replacement as access denied, so the file is asked directly.
bool HeldByAnotherProgram(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(file);
    return false;
}

// Devices ("NUL", "COM1"), pipes and consoles open as files but are not ordinary ones.
bool IsOrdinaryFile(const std::wstring& path) {
    const HANDLE file = OpenToLookAt(path);
    if (file == INVALID_HANDLE_VALUE) {
        return true; // nothing to tell; the replacement itself will say what is wrong
    }
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return disk;
}

Target LookAtWide(std::wstring path) {
    Target target;
    target.path = common::Utf8FromWide(path);
    target.folder = common::Utf8FromWide(FolderOf(path));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        target.error = error == ERROR_FILE_NOT_FOUND ? 0 : ErrnoOfSystemError(error);
        return target;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        const HANDLE file = OpenToLookAt(path);
        if (file == INVALID_HANDLE_VALUE) {
            // A dangling link: its target is created where the link points, like a new file.
            target.error = LastError();
            return target;
        }
        std::wstring final(32768, L'\0');
        const DWORD length =
            GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
        const DWORD error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        CloseHandle(file);
        if (length == 0 || length >= final.size()) {
            target.error = ErrnoOfSystemError(error);
            return target;
        }
        final.resize(length);
        return LookAtWide(std::move(final));
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        target.kind = TargetKind::Folder;
    } else if (!IsOrdinaryFile(path)) {
        target.kind = TargetKind::Other;
    } else {
        target.kind = TargetKind::OrdinaryFile;
        // Told before anything is written; the holder may still come later (MoveOver).
        target.writeError = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? EACCES
                            : HeldByAnotherProgram(path)                           ? EBUSY
                                                                                   : 0;
    }
    return target;
}

// A name of its own in the target's folder for each try.
std::wstring TemporaryName(const std::wstring& folder, const std::wstring& prefix,
                           unsigned attempt) {
    std::wstring name = folder;
    if (!name.empty() && name.back() != L'\\' && name.back() != L'/' && name.back() != L':') {
        name += L'\\';
    }
    std::uint64_t seed = GetTickCount64() * 2654435761u + GetCurrentProcessId() * 40503u + attempt;
    name += prefix;
    for (int i = 0; i < 6; ++i) {
        name += L"abcdefghijklmnopqrstuvwxyz0123456789"[seed % 36];
        seed /= 36;
    }
    return name;
}

// The C runtime's descriptor for the handle; a handle it cannot take is closed.
int DescriptorOf(HANDLE file, OpenedFile& opened) {
    opened.descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (opened.descriptor < 0) {
        CloseHandle(file);
        opened.error = EMFILE;
    }
    return opened.descriptor;
}

} // namespace

Target LookAt(std::string_view path) {
    if (!common::IsUtf8(path)) {
        Target target;
        target.error = EINVAL;
        return target;
    }
    return LookAtWide(common::WideFromUtf8(path));
}

OpenedFile CreateBeside(const Target& target, std::string_view prefix) {
    const std::wstring folder = common::WideFromUtf8(target.folder);
    const std::wstring widePrefix = common::WideFromUtf8(prefix);
    HANDLE file = INVALID_HANDLE_VALUE;
    std::wstring name;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        name = TemporaryName(folder, widePrefix, attempt);
        // Delete sharing lets the fault filter remove the file while it is still open.
        file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    OpenedFile opened;
    if (file == INVALID_HANDLE_VALUE) {
        opened.error = LastError();
    } else if (DescriptorOf(file, opened) < 0) {
        DeleteFileW(name.c_str());
    } else {
        opened.path = common::Utf8FromWide(name);
    }
    return opened;
}

int TakeOverPermissions(int, const Target&) {
    return 0; // ReplaceFileW keeps the target's attributes and permissions (MoveOver)
}

OpenedFile OpenInPlace(const Target& target) {
    OpenedFile opened;
    const HANDLE file = CreateFileW(common::WideFromUtf8(target.path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        opened.error = LastError();
    } else if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        opened.ordinary = false;
    } else {
        DescriptorOf(file, opened);
    }
    return opened;
}

// The runtime keeps the system's own error of a failed write.
int FlushError() {
    return ErrnoOfSystemError(_doserrno);
}

int FlushToDisk(int descriptor) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor))) ? 0 : LastError();
}

int CloseStream(std::FILE* stream) {
    return std::fclose(stream) == 0 ? 0 : ErrnoOfSystemError(_doserrno);
}

void CloseDescriptor(int descriptor) {
    _close(descriptor);
}

void Empty(int descriptor) {
    _chsize_s(descriptor, 0);
}

// ReplaceFileW keeps the target's attributes and permissions; a new target, or a file
// system without that support, gets a plain move that reaches the disk before it returns.
int MoveOver(const std::string& temporary, const std::string& target) {
    const std::wstring wideTarget = common::WideFromUtf8(target);
    const std::wstring wideTemporary = common::WideFromUtf8(temporary);
    if (ReplaceFileW(wideTarget.c_str(), wideTemporary.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return 0;
    }
    const int replaceError = LastError();
    if (MoveFileExW(wideTemporary.c_str(), wideTarget.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    const int moveError = LastError();
    return replaceError == EBUSY || moveError == EBUSY || HeldByAnotherProgram(wideTarget)
               ? EBUSY
               : moveError;
}

void Remove(const std::string& path) {
    DeleteFileW(common::WideFromUtf8(path).c_str());
}

int PortableError(int error) {
    return error; // the system's errors are mapped where they are met
}

} // namespace replacement

// The runtime's own stream, which keeps a failed write's reason until a flush meets it.
std::FILE* ReplacementFile::OpenStream() {
    return _fdopen(descriptor_, "wb");
}
