// The two programs as a command prompt runs them under Wine: zorvel-batch.exe leaves the
// console's output code page as it found it, whether it ends by itself or by Ctrl+C,
// and zorvel.exe answers --version and --help in the console it was started from, or
// into a pipe. Usage: windows_console_test.exe <zorvel-batch.exe> <zorvel.exe>
#include "zorvel_version.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <windows.h>

namespace {

std::wstring BatchProgram;
std::wstring WindowProgram;
constexpr UINT FoundCodePage = 1251;

struct Started {
    PROCESS_INFORMATION process{};
    bool ok = false;
};

// In this program's console; with no standard handles of its own unless given some.
Started Start(const std::wstring& program, const std::wstring& arguments, DWORD flags = 0,
              HANDLE input = nullptr, HANDLE output = nullptr) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (input != nullptr || output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input != nullptr ? input : GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output != nullptr ? output : GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = output != nullptr ? output : GetStdHandle(STD_ERROR_HANDLE);
    }
    Started started;
    started.ok = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags,
                                nullptr, nullptr, &startup, &started.process) != 0;
    if (started.ok) {
        CloseHandle(started.process.hThread);
    }
    return started;
}

DWORD EndOf(const Started& started) {
    DWORD status = 999;
    if (WaitForSingleObject(started.process.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(started.process.hProcess, &status);
    }
    CloseHandle(started.process.hProcess);
    return status;
}

struct Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    Pipe() {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        CreatePipe(&read, &write, &inherited, 0);
    }
    ~Pipe() {
        CloseHandle(read);
        CloseHandle(write);
    }
};

class Console : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // ctest's pipes are no console: the test makes one of its own, as a command prompt has.
        FreeConsole();
        ASSERT_TRUE(AllocConsole()) << GetLastError();
    }
    void SetUp() override { ASSERT_TRUE(SetConsoleOutputCP(FoundCodePage)); }
};

TEST_F(Console, ZorvelBatchGivesTheCodePageBackWhenItEnds) {
    for (const wchar_t* arguments : {L"--version", L"no-such-logbook.csv"}) {
        const Started run = Start(BatchProgram, arguments);
        ASSERT_TRUE(run.ok);
        EXPECT_EQ(EndOf(run), arguments[0] == L'-' ? 0u : 1u);
        EXPECT_EQ(GetConsoleOutputCP(), FoundCodePage) << arguments;
    }
}

TEST_F(Console, ZorvelBatchGivesTheCodePageBackWhenCtrlCEndsIt) {
    // Standard input is a pipe held open: the run waits for its logbook.
    const Pipe input;
    SetHandleInformation(input.write, HANDLE_FLAG_INHERIT, 0);
    const Started run = Start(BatchProgram, L"-", 0, input.read);
    ASSERT_TRUE(run.ok);
    for (int waited = 0; waited < 200 && GetConsoleOutputCP() != CP_UTF8; ++waited) {
        Sleep(50);
    }
    ASSERT_EQ(GetConsoleOutputCP(), static_cast<UINT>(CP_UTF8)) << "the run set no UTF-8";
    // Ctrl+C goes to every program of the console, as a user's key does; the test outlives it.
    SetConsoleCtrlHandler(nullptr, TRUE);
    ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
    EXPECT_EQ(EndOf(run), 0xC000013Au);
    SetConsoleCtrlHandler(nullptr, FALSE);
    EXPECT_EQ(GetConsoleOutputCP(), FoundCodePage);
}

TEST_F(Console, ZorvelAnswersIntoAPipe) {
    const Pipe output;
    const Started run = Start(WindowProgram, L"--version", 0, nullptr, output.write);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(EndOf(run), 0u);
    char buffer[64] = {};
    DWORD read = 0;
    ReadFile(output.read, buffer, sizeof buffer - 1, &read, nullptr);
    EXPECT_EQ(std::string(buffer, read), std::string("zorvel ") + zorvel::FileVersion + "\r\n");
}

TEST_F(Console, ZorvelAnswersInTheConsoleItWasStartedFrom) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    HANDLE const console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &info));
    DWORD cleared = 0;
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    FillConsoleOutputCharacterW(console, L' ', cells, {0, 0}, &cleared);
    SetConsoleCursorPosition(console, {0, 0});
    const Started run = Start(WindowProgram, L"--help");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(EndOf(run), 0u);
    std::wstring shown(static_cast<std::size_t>(info.dwSize.X) * 2, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(console, shown.data(), static_cast<DWORD>(shown.size()), {0, 0},
                                &read);
    CloseHandle(console);
    // Cyrillic as it is, whatever the code page.
    EXPECT_EQ(shown.rfind(L"Употреба: zorvel [--help | --version]", 0), 0u) << shown.size();
    EXPECT_NE(shown.find(L"Зорвел — психрометричен калкулатор"), std::wstring::npos);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        return 2;
    }
    BatchProgram = argv[1];
    WindowProgram = argv[2];
    return RUN_ALL_TESTS();
}
