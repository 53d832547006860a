// The trap's Windows handler: the unhandled-exception filter.
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_message.h"
#include "lifecycle/trap_steps.h"

#include <array>
#include <atomic>
#include <windows.h>

namespace {

// Room the system keeps for the filter on a thread whose stack has overflowed.
constexpr ULONG stackGuarantee = 64 * 1024;

// A command line in UTF-16 built without the heap: the filter may meet a broken one.
class WideCommandLine {
  public:
    void Append(const wchar_t* text) {
        for (; *text != L'\0'; ++text) {
            Append(*text);
        }
    }
    // The fault texts and locations are ASCII.
    void AppendAscii(const char* text) {
        for (; *text != '\0'; ++text) {
            Append(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
        }
    }
    void Append(wchar_t c) {
        if (size_ + 1 < text_.size()) {
            text_[size_++] = c;
            text_[size_] = L'\0';
        } else {
            truncated_ = true;
        }
    }
    wchar_t* Data() { return text_.data(); }
    bool Truncated() const { return truncated_; }

  private:
    std::array<wchar_t, 32768> text_{};
    std::size_t size_ = 0;
    bool truncated_ = false;
};

// The state the filter must read lives here, set up once by InstallFatalErrorTrap.
struct TrapState {
    LPTOP_LEVEL_EXCEPTION_FILTER earlierFilter = nullptr;
    std::atomic_flag reporting = ATOMIC_FLAG_INIT;
    std::array<wchar_t, 32768> program{};
    WideCommandLine commandLine;
};
TrapState trap;

void WriteToStandardError(std::string_view text) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error != nullptr && error != INVALID_HANDLE_VALUE) {
        WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    if (trap.reporting.test_and_set()) {
        // Another thread faulted first; its report ends the process.
        Sleep(INFINITE);
    }
    ReportTrappedFault(FaultMessage(exception->ExceptionRecord->ExceptionCode),
                       common::CurrentDate());
    // A trapped fault is a failure, and the exit status says so. Nothing of the faulted
    // process runs any more, not even its libraries' farewells.
    TerminateProcess(GetCurrentProcess(), 1);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void ShowReportBox(const char* message, const char* location) {
    WideCommandLine& line = trap.commandLine;
    line.Append(L'"');
    line.Append(trap.program.data());
    line.Append(L"\" ");
    line.AppendAscii(FatalReportMarker);
    line.Append(L" \"");
    line.AppendAscii(message);
    line.Append(L"\" \"");
    line.AppendAscii(location);
    line.Append(L'"');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!line.Truncated() && trap.program[0] != L'\0' &&
        CreateProcessW(trap.program.data(), line.Data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }
    WriteToStandardError(ReportBoxText(message, location).View());
}

bool TakeOverFaults() {
    const DWORD length =
        GetModuleFileNameW(nullptr, trap.program.data(), static_cast<DWORD>(trap.program.size()));
    if (length == 0 || length >= trap.program.size()) {
        trap.program[0] = L'\0'; // the report then goes to standard error
    }
    ULONG guarantee = stackGuarantee;
    SetThreadStackGuarantee(&guarantee);
    // The system's own fault boxes would stand in front of the program's.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    trap.earlierFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    return true;
}

void GiveBackFaults() {
    SetUnhandledExceptionFilter(trap.earlierFilter);
    trap.earlierFilter = nullptr;
}

void RefreshFatalErrorTrapClock() {
    // The filter reads the local clock itself: GetLocalTime is safe to call there.
}
