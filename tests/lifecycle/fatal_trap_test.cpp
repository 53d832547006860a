// Faults on purpose in a child program and checks what the trap leaves behind: the
// bytes of "ErrorLog.dat", the text of the report box and the exit status.
#include "lifecycle/fatal_error_trap.h"
#include "tests/support/message_box_hook.h"
#include "ui/toolkit/date.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TemporaryDirectory {
  public:
    TemporaryDirectory() {
        std::string pattern = fs::temp_directory_path() / "zorvel-trap-XXXXXX";
        path_ = mkdtemp(pattern.data());
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

struct ProbeEnd {
    bool exited = false;
    int status = -1;
    bool hung = false;
};

// A probe's status that means "this machine cannot set the case up".
constexpr int kCannot = 92;

struct ProbeSetUp {
    bool removeWorkingDirectory = false;
    // Runs in the child before it enters the working directory; false when it cannot.
    std::function<bool()> prepare;
};

// Runs the probe in workingDirectory with the report box captured in boxLog. A probe
// still running after 30 seconds is killed and reported as hung.
ProbeEnd RunProbe(const fs::path& workingDirectory, const fs::path& boxLog,
                  const std::string& fault, const std::string& place,
                  const ProbeSetUp& setUp = {}) {
    const bool removeWorkingDirectory = setUp.removeWorkingDirectory;
    const pid_t child = fork();
    if (child == 0) {
        if (setUp.prepare && !setUp.prepare()) {
            _exit(kCannot);
        }
        if (chdir(workingDirectory.c_str()) != 0) {
            _exit(90);
        }
        setenv(MessageBoxLogVariable, boxLog.c_str(), 1);
        if (removeWorkingDirectory) {
            execl(ZORVEL_FAULT_PROBE, ZORVEL_FAULT_PROBE, fault.c_str(), place.c_str(), "remove",
                  static_cast<char*>(nullptr));
        } else {
            execl(ZORVEL_FAULT_PROBE, ZORVEL_FAULT_PROBE, fault.c_str(), place.c_str(),
                  static_cast<char*>(nullptr));
        }
        _exit(91);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) != child) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return {false, -1, true};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {WIFEXITED(status), WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status)};
}

// The local date a log line names, or -1 when the line is not "dd/mm/yyyy / hh:ii".
toolkit::Date DateOfLogLine(const std::string& line) {
    static const std::regex pattern(R"((\d\d)/(\d\d)/(\d{4}) / (\d\d):(\d\d))");
    std::smatch parts;
    if (!std::regex_match(line, parts, pattern)) {
        return -1;
    }
    std::tm t{};
    t.tm_mday = std::stoi(parts[1]);
    t.tm_mon = std::stoi(parts[2]) - 1;
    t.tm_year = std::stoi(parts[3]) - 1900;
    t.tm_hour = std::stoi(parts[4]);
    t.tm_min = std::stoi(parts[5]);
    return static_cast<toolkit::Date>(timegm(&t));
}

struct LogEntry {
    toolkit::Date date;
    std::string message;
};

// Splits the log into its entries; fails the test on any byte that is not part of one.
std::vector<LogEntry> EntriesOf(const std::string& log) {
    std::vector<LogEntry> entries;
    std::size_t at = 0;
    while (at < log.size()) {
        const std::size_t firstEnd = log.find('\n', at);
        const std::size_t secondEnd =
            firstEnd == std::string::npos ? firstEnd : log.find('\n', firstEnd + 1);
        if (secondEnd == std::string::npos) {
            ADD_FAILURE() << "log ends inside an entry: " << log.substr(at);
            break;
        }
        const toolkit::Date date = DateOfLogLine(log.substr(at, firstEnd - at));
        EXPECT_NE(date, -1) << log.substr(at, firstEnd - at);
        entries.push_back({date, log.substr(firstEnd + 1, secondEnd - firstEnd - 1)});
        at = secondEnd + 1;
    }
    return entries;
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FatalTrap : public testing::Test {
  protected:
    TemporaryDirectory work;  // the probe's working directory
    TemporaryDirectory boxes; // where the report box is captured, away from the log
    fs::path BoxLog() const { return boxes.Path() / "boxes.txt"; }
    fs::path ErrorLog() const { return work.Path() / "ErrorLog.dat"; }

    // Runs one fault and checks the single entry, the box and the status.
    void ExpectReported(const std::string& fault, const std::string& place,
                        const std::string& message, const std::string& location) {
        SCOPED_TRACE(fault + " at " + place);
        const toolkit::Date before = toolkit::CurrentDate();
        const ProbeEnd end = RunProbe(work.Path(), BoxLog(), fault, place);
        const toolkit::Date after = toolkit::CurrentDate();
        EXPECT_TRUE(end.exited);
        EXPECT_EQ(end.status, 1);

        const std::string log = ReadAll(ErrorLog());
        const std::size_t lineEnd = log.find('\n');
        ASSERT_NE(lineEnd, std::string::npos) << log;
        EXPECT_EQ(log.substr(lineEnd + 1), message + "  в " + location + "\n");
        const toolkit::Date logged = DateOfLogLine(log.substr(0, lineEnd));
        ASSERT_NE(logged, -1) << log;
        EXPECT_GE(logged, before - before % 60);
        EXPECT_LE(logged, after);

        EXPECT_EQ(ReadAll(BoxLog()),
                  "Фатална грешка!|Грешката е: " + message + " в " + location + "\n");
        EXPECT_FALSE(fs::exists(work.Path() / "shutdown.txt"));
    }
};

TEST_F(FatalTrap, InvalidAccessWhileTheWindowIsBuiltIsReportedAtMain) {
    ExpectReported("null-write", "main", "Invalid memory access", "Main");
}

TEST_F(FatalTrap, InvalidAccessInALoopTurnIsReportedAtAuto) {
    ExpectReported("null-write", "auto", "Invalid memory access", "Auto");
}

TEST_F(FatalTrap, InvalidAccessAfterTheViewerOpenedIsReportedAtChild) {
    ExpectReported("null-write", "child", "Invalid memory access", "Child");
}

TEST_F(FatalTrap, IntegerDivisionByZeroLeavesThreeSpacesBeforeTheLetter) {
    ExpectReported("int-divide", "auto", "Division by zero ", "Auto");
    EXPECT_NE(ReadAll(ErrorLog()).find("Division by zero   \xD0\xB2 Auto\n"), std::string::npos);
}

TEST_F(FatalTrap, DeepRecursionIsAStackOverflow) {
    ExpectReported("stack-overflow", "auto", "Stack overflow", "Auto");
}

TEST_F(FatalTrap, SignalSentByAnotherProcessIsAnInvalidAccess) {
    ExpectReported("kill-segv", "auto", "Invalid memory access", "Auto");
}

TEST_F(FatalTrap, FloatingPointDivisionByZero) {
    ExpectReported("float-divide", "child", "Division by zero (floating-point)", "Child");
}

TEST_F(FatalTrap, IllegalInstruction) {
    ExpectReported("illegal", "main", "Illegal instruction", "Main");
}

TEST_F(FatalTrap, ReadingPastTheEndOfAMappedFileIsAMemoryPageError) {
    ExpectReported("bus", "auto", "Memory page error", "Auto");
}

TEST_F(FatalTrap, AbortHasNoCodeOfItsOwn) {
    ExpectReported("abort", "auto", "Unknown error code", "Auto");
}

#if defined(__x86_64__)
TEST_F(FatalTrap, BreakpointAndSingleStep) {
    ExpectReported("breakpoint", "auto", "Debugger breakpoint reached", "Auto");
    fs::remove(ErrorLog());
    fs::remove(BoxLog());
    ExpectReported("single-step", "auto", "Single step trap", "Auto");
}
#endif

TEST_F(FatalTrap, ASecondFaultAppendsASecondWholeEntry) {
    ASSERT_EQ(RunProbe(work.Path(), BoxLog(), "null-write", "main").status, 1);
    ASSERT_EQ(RunProbe(work.Path(), BoxLog(), "int-divide", "child").status, 1);
    const std::vector<LogEntry> entries = EntriesOf(ReadAll(ErrorLog()));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].message, "Invalid memory access  в Main");
    EXPECT_EQ(entries[1].message, "Division by zero   в Child");
    EXPECT_LE(entries[0].date, entries[1].date);
    EXPECT_EQ(ReadAll(BoxLog()), "Фатална грешка!|Грешката е: Invalid memory access в Main\n"
                                 "Фатална грешка!|Грешката е: Division by zero  в Child\n");
}

TEST_F(FatalTrap, LogThatCannotBeOpenedStillGivesTheBoxAndTheStatus) {
    // A directory in the log's place cannot be opened for writing, not even by root.
    fs::create_directory(ErrorLog());
    const ProbeEnd end = RunProbe(work.Path(), BoxLog(), "null-write", "auto");
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 1);
    EXPECT_TRUE(fs::is_directory(ErrorLog()));
    EXPECT_EQ(ReadAll(BoxLog()), "Фатална грешка!|Грешката е: Invalid memory access в Auto\n");
}

TEST_F(FatalTrap, RemovedWorkingDirectoryStillGivesTheBoxAndTheStatus) {
    const fs::path gone = work.Path() / "gone";
    fs::create_directory(gone);
    const ProbeEnd end = RunProbe(gone, BoxLog(), "null-write", "auto",
                                  {.removeWorkingDirectory = true, .prepare = {}});
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 1);
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(ReadAll(BoxLog()), "Фатална грешка!|Грешката е: Invalid memory access в Auto\n");
}

TEST_F(FatalTrap, FaultInTheMiddleOfASaveLeavesNoFileOfIt) {
    ExpectReported("mid-save", "child", "Invalid memory access", "Child");
    EXPECT_EQ(Entries(work.Path()), std::vector<std::string>{"ErrorLog.dat"});
}

TEST_F(FatalTrap, LogThatIsAFifoNeitherHoldsTheEndNorIsWritten) {
    ASSERT_EQ(mkfifo(ErrorLog().c_str(), 0644), 0);
    const ProbeEnd end = RunProbe(work.Path(), BoxLog(), "null-write", "auto");
    EXPECT_FALSE(end.hung) << "the trap waited for a reader of the FIFO";
    EXPECT_EQ(end.status, 1);
    struct stat info {};
    ASSERT_EQ(lstat(ErrorLog().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(ReadAll(BoxLog()), "Фатална грешка!|Грешката е: Invalid memory access в Auto\n");
}

TEST_F(FatalTrap, LogThatIsALinkLeavesItsTargetAlone) {
    const fs::path target = boxes.Path() / "someone else's file";
    std::ofstream(target) << "keep\n";
    fs::create_symlink(target, ErrorLog());
    const ProbeEnd end = RunProbe(work.Path(), BoxLog(), "null-write", "auto");
    EXPECT_EQ(end.status, 1);
    EXPECT_EQ(ReadAll(target), "keep\n");
    EXPECT_TRUE(fs::is_symlink(ErrorLog()));
    EXPECT_EQ(ReadAll(BoxLog()), "Фатална грешка!|Грешката е: Invalid memory access в Auto\n");
}

TEST_F(FatalTrap, LogOnAFullDiskOrAtTheSizeLimitKeepsWholeEntriesOnly) {
    // An earlier entry, and room for only the first few bytes of the next one.
    ASSERT_EQ(RunProbe(work.Path(), BoxLog(), "null-write", "main").status, 1);
    const std::string earlier = ReadAll(ErrorLog());
    ASSERT_EQ(EntriesOf(earlier).size(), 1u);
    const rlim_t limit = earlier.size() + 10;
    const ProbeEnd limited = RunProbe(work.Path(), BoxLog(), "int-divide", "auto",
                                      {.removeWorkingDirectory = false, .prepare = [limit] {
                                           const rlimit small{limit, limit};
                                           return setrlimit(RLIMIT_FSIZE, &small) == 0;
                                       }});
    EXPECT_EQ(limited.status, 1) << "the size limit ended the trap itself";
    EXPECT_EQ(ReadAll(ErrorLog()), earlier);

    // A disk of one page holding an older log that leaves it ten bytes free. The mount
    // is made in a namespace of this test program's own, which the probe inherits.
    const std::string older = std::string(4096 - 10 - 1, 'x') + "\n";
    const char* const disk = work.Path().c_str();
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", disk, "tmpfs", 0, "size=4k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs in a private mount namespace here";
    }
    std::ofstream(ErrorLog()) << older;
    const ProbeEnd full = RunProbe(work.Path(), BoxLog(), "null-write", "auto");
    const std::string left = ReadAll(ErrorLog());
    umount2(disk, MNT_DETACH);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(left, older);
}

TEST_F(FatalTrap, NormalEndExitsWithZeroAndLeavesNoLog) {
    const ProbeEnd end = RunProbe(work.Path(), BoxLog(), "none", "child");
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 0);
    EXPECT_FALSE(fs::exists(ErrorLog()));
    EXPECT_FALSE(fs::exists(BoxLog()));
    EXPECT_EQ(ReadAll(work.Path() / "shutdown.txt"), "trap removed\n");
}

TEST(FatalReport, WithoutADisplayTheBoxTextGoesToStandardError) {
    const TemporaryDirectory work;
    const fs::path errors = work.Path() / "stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv(MessageBoxLogVariable);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (std::freopen(errors.c_str(), "w", stderr) == nullptr) {
            _exit(90);
        }
        execl(ZORVEL_FAULT_PROBE, ZORVEL_FAULT_PROBE, FatalReportMarker, "Stack overflow", "Auto",
              static_cast<char*>(nullptr));
        _exit(91);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(errors), "Фатална грешка!\nГрешката е: Stack overflow в Auto\n");
}

} // namespace
