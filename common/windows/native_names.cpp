#include "common/native_names.h"

#include "common/windows/system_error.h"
#include "common/windows/wide_text.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

std::vector<std::string> ProgramArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* const wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.push_back(common::Utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

std::FILE* OpenForReading(const std::string& path) {
    if (!common::IsUtf8(path)) {
        errno = ENOENT; // no file has a name that is not text
        return nullptr;
    }
    // Delete sharing lets a table replace the logbook it is read from (-o over the input);
    // the runtime's own open would also call a file held by another program one this user
    // may not read.
    const HANDLE file = CreateFileW(common::WideFromUtf8(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = common::ErrnoOfSystemError(GetLastError());
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(file);
        errno = EMFILE;
        return nullptr;
    }
    std::FILE* const stream = _fdopen(descriptor, "rb");
    if (stream == nullptr) {
        _close(descriptor);
    }
    return stream;
}
