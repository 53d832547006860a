#include "batch/process_guard.h"

#include "common/removed_on_fault.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// Read by the console's control handler, which runs on a thread of its own.
std::atomic<bool> progressLineOpen{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The status a console program ends with when Ctrl+C ends it.
constexpr UINT controlCExit = 0xC000013A;

BOOL WINAPI OnConsoleControl(DWORD) {
    RemoveRegisteredFilesAfterFault();
    if (progressLineOpen.load()) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), "\n", 1, &written, nullptr);
    }
    ExitProcess(controlCExit);
}

} // namespace

bool OpenClosedStandardStreams() {
    bool inputClosed = false;
    std::FILE* const streams[] = {stdin, stdout, stderr};
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (_get_osfhandle(descriptor) == -1 || _get_osfhandle(descriptor) == -2) {
            inputClosed = inputClosed || descriptor == 0;
            if (std::freopen("NUL", descriptor == 0 ? "rb" : "wb", streams[descriptor]) ==
                nullptr) {
                ExitProcess(1);
            }
        }
        // The tables keep their own line ends: CRLF in, CRLF out; LF in, LF out.
        _setmode(descriptor, _O_BINARY);
    }
    // The Bulgarian messages are UTF-8; the console shows them as such.
    SetConsoleOutputCP(CP_UTF8);
    return inputClosed;
}

void InstallInterruptHandlers() {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void SetProgressLineOpen(bool open) {
    progressLineOpen.store(open);
}
