// Holds a file open the way another program does, for the tests of a file in use: a
// spreadsheet shares it for reading only ("read"), a stricter program not at all ("none").
// Usage: windows_hold_file.exe FILE read|none MARKER
// Opens FILE for reading and writing, creates MARKER once it holds it, and lets go when
// MARKER is removed (or after a minute, so that a failed test never leaves it running).
#include "common/native_names.h"
#include "common/windows/wide_text.h"

#include <string>
#include <vector>
#include <windows.h>

int main(int argc, char** argv) {
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    if (args.size() != 3 || (args[1] != "read" && args[1] != "none")) {
        return 2;
    }
    const DWORD share = args[1] == "read" ? FILE_SHARE_READ : 0;
    const HANDLE held =
        CreateFileW(common::WideFromUtf8(args[0]).c_str(), GENERIC_READ | GENERIC_WRITE, share,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const std::wstring marker = common::WideFromUtf8(args[2]);
    const HANDLE made = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made == INVALID_HANDLE_VALUE) {
        CloseHandle(held);
        return 1;
    }
    CloseHandle(made);
    for (int waited = 0;
         waited < 3000 && GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; ++waited) {
        Sleep(20);
    }
    CloseHandle(held);
    return 0;
}
