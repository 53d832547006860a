#include "common/native_names.h"

#include "common/windows/wide_text.h"

#include <cerrno>
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
    return _wfopen(common::WideFromUtf8(path).c_str(), L"rb");
}
