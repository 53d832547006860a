// Faults on purpose in a child program under the Windows trap and checks what it leaves:
// the bytes of "ErrorLog.dat", the text of the report box and the exit status.
#include "common/date.h"
#include "tests/support/message_box_hook.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <string>
#include <vector>
#include <windows.h>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ProbeEnd {
    DWORD status = 0;
    std::string log;
    std::string boxes;
    std::vector<std::string> files; // what the working directory holds afterwards
};

// Runs the probe in a fresh working directory with the report box captured; a probe
// still running after 30 seconds fails the test.
ProbeEnd RunProbe(const std::string& fault) {
    const fs::path folder = fs::temp_directory_path() / ("zorvel-trap-" + fault);
    fs::remove_all(folder);
    fs::create_directory(folder);
    const fs::path boxLog = folder / "boxes.txt";
    SetEnvironmentVariableA(MessageBoxLogVariable, boxLog.string().c_str());
    std::wstring commandLine =
        L"\"" + fs::path(ZORVEL_FAULT_PROBE).wstring() + L"\" " + fs::path(fault).wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ProbeEnd end;
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, folder.wstring().c_str(), &startup, &process);
    SetEnvironmentVariableA(MessageBoxLogVariable, nullptr);
    EXPECT_TRUE(started) << "the probe did not start";
    if (started) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0) << "hung";
        GetExitCodeProcess(process.hProcess, &end.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    end.log = ReadAll(folder / "ErrorLog.dat");
    end.boxes = ReadAll(boxLog);
    for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
        end.files.push_back(file.path().filename().string());
    }
    std::sort(end.files.begin(), end.files.end());
    fs::remove_all(folder);
    return end;
}

// The entry's date line names this minute (or the one before, should the minute turn).
void ExpectEntry(const std::string& log, const std::string& secondLine) {
    static const std::regex entry(R"((\d\d/\d\d/\d{4} / \d\d:\d\d)\n([^\n]*)\n)");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(log, parts, entry)) << log;
    EXPECT_EQ(parts[2].str(), secondLine);
    const common::Date now = common::CurrentDate();
    const std::string line = parts[1].str();
    EXPECT_TRUE(line == common::FormatDate("%dd/%mm/%yyyy / %hh:%ii", now) ||
                line == common::FormatDate("%dd/%mm/%yyyy / %hh:%ii", now - 60))
        << line;
}

TEST(WindowsTrap, AccessViolationIsLoggedReportedAndEndsWithStatusOne) {
    const ProbeEnd end = RunProbe("access-violation");
    EXPECT_EQ(end.status, 1u);
    ExpectEntry(end.log, "Invalid memory access  в Auto");
    EXPECT_EQ(end.boxes, "Фатална грешка!|Грешката е: Invalid memory access в Auto\n");
}

TEST(WindowsTrap, IntegerDivisionByZeroKeepsItsTrailingSpace) {
    const ProbeEnd end = RunProbe("integer-divide");
    EXPECT_EQ(end.status, 1u);
    ExpectEntry(end.log, "Division by zero   в Auto");
    EXPECT_EQ(end.boxes, "Фатална грешка!|Грешката е: Division by zero  в Auto\n");
}

TEST(WindowsTrap, FaultInTheMiddleOfASaveLeavesNoFileOfIt) {
    const ProbeEnd end = RunProbe("mid-save");
    EXPECT_EQ(end.status, 1u);
    ExpectEntry(end.log, "Invalid memory access  в Auto");
    EXPECT_EQ(end.files, (std::vector<std::string>{"ErrorLog.dat", "boxes.txt"}));
}

} // namespace
