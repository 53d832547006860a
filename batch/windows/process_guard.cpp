#include "batch/process_guard.h"

#include "common/removed_on_fault.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// Read by the console's control handler, which runs on a thread of its own.
std::atomic<bool> progressLineOpen{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The status a console program ends with when Ctrl+C ends it.
constexpr UINT controlCExit = 0xC000013A;

// The console's output code page as the program found it (0: none to give back), read by
// the control handler too. The console outlives the program: a code page left at UTF-8
// would change what every later program of the command prompt shows.
std::atomic<UINT> foundCodePage{0};
static_assert(std::atomic<UINT>::is_always_lock_free);

void GiveBackCodePage() {
    if (const UINT page = foundCodePage.exchange(0)) {
        SetConsoleOutputCP(page);
    }
}

BOOL WINAPI OnConsoleControl(DWORD) {
    GiveBackCodePage();
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
    // The Bulgarian messages are UTF-8; the console shows them as such while the program
    // runs, and gets its own code page back however the program ends.
    const UINT found = GetConsoleOutputCP();
    if (found != 0 && found != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        foundCodePage.store(found);
        std::atexit(GiveBackCodePage);
        std::set_terminate([] {
            GiveBackCodePage();
            std::abort();
        });
    }
    return inputClosed;
}

void InstallInterruptHandlers() {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void SetProgressLineOpen(bool open) {
    progressLineOpen.store(open);
}
