#include "batch/file_identity.h"

#include "common/windows/wide_text.h"

#include <io.h>
#include <memory>
#include <type_traits>
#include <windows.h>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

std::optional<FileIdentity> IdentityOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
        GetFileInformationByHandle(handle, &info) == 0 ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                            info.nFileIndexLow};
}

} // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const std::optional<std::wstring> name = common::WideFromUtf8(path);
    if (!name) {
        return std::nullopt;
    }
    // No access asked for: a file another program holds open without sharing is still
    // looked at. Folders need the backup flag to be opened at all.
    const HANDLE handle =
        CreateFileW(name->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const OwnedHandle owned(handle);
    return IdentityOfHandle(handle);
}

std::optional<FileIdentity> IdentityOf(std::FILE* stream) {
    if (stream == nullptr) {
        return std::nullopt;
    }
    return IdentityOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
}
