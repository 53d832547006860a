#include "common/console_answer.h"

#include "common/windows/wide_text.h"

#include <cstdio>
#include <windows.h>

namespace {

bool WriteToConsole(HANDLE console, std::string_view utf8) {
    const std::wstring wide = common::WideFromUtf8(utf8);
    DWORD written = 0;
    return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) &&
           written == wide.size();
}

} // namespace

bool WriteAnswer(std::string_view utf8) {
    HANDLE const out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
        if (GetConsoleMode(out, &mode)) {
            return WriteToConsole(out, utf8);
        }
        // A file or a pipe takes the bytes as they are, as on Linux.
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return false; // started from Explorer: no one to answer
    }
    HANDLE const console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = console != INVALID_HANDLE_VALUE && WriteToConsole(console, utf8);
    if (console != INVALID_HANDLE_VALUE) {
        CloseHandle(console);
    }
    FreeConsole();
    return written;
}
