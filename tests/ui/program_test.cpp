// The program as a whole: the real executable started as a user or the desktop starts
// it, and the two ends of a run.
#include "lifecycle/shutdown.h"
#include "pages/picture_store.h"
#include "tests/support/loop_fixture.h"
#include "ui/program_icon.h"
#include "ui/program_ids.h"

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A run of the real executable in a folder of its own, with an environment of our choice.
class ProgramRun {
  public:
    // The shipped program, or the test entry whose message boxes go to a file.
    explicit ProgramRun(const std::string& name, std::string program = ZORVEL_EXECUTABLE)
        : program_(std::move(program)),
          folder_(fs::temp_directory_path() /
                  ("zorvel-program-" + name + "-" + std::to_string(getpid()))) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    ~ProgramRun() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        fs::remove_all(folder_);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    const fs::path& Folder() const { return folder_; }

    // Starts the program with only these variables (and PATH, HOME) set; its working
    // directory is the folder and its standard error goes to a file there.
    bool Start(const std::vector<std::string>& variables) {
        std::vector<std::string> environment = variables;
        for (const char* kept : {"PATH", "HOME"}) {
            if (const char* value = std::getenv(kept)) {
                environment.push_back(std::string(kept) + "=" + value);
            }
        }
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
        const std::string errors = (folder_ / "stderr.txt").string();
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string program = program_;
        char* argv[] = {program.data(), nullptr};
        const int result =
            posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        return result == 0;
    }

    void Signal(int signal) const { kill(pid_, signal); }

    // The exit status, or -1 when the program did not end by itself in time.
    int WaitForExit(std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }

    bool StillRunning() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

    pid_t Pid() const { return pid_; }

  private:
    std::string program_;
    fs::path folder_;
    pid_t pid_ = 0;
};

TEST(ProgramRunTest, WithoutADisplayItSaysSoAndEndsWithStatusOne) {
    ProgramRun run("nodisplay");
    ASSERT_TRUE(run.Start({}));
    EXPECT_EQ(run.WaitForExit(20s), 1);
    EXPECT_EQ(ReadFile(run.Folder() / "stderr.txt"),
              "zorvel: не може да се отвори графичен дисплей\n"
              "zorvel: cannot open a display\n");
    EXPECT_FALSE(fs::exists(run.Folder() / "ErrorLog.dat"));
}

TEST(ProgramRunTest, AFaultInTheRunningLoopIsLoggedReportedAndEndsWithStatusOne) {
    ProgramRun run("fault", ZORVEL_TEST_ENTRY);
    const fs::path boxes = run.Folder() / "boxes.txt";
    ASSERT_TRUE(run.Start({"QT_QPA_PLATFORM=offscreen", "LC_ALL=C.UTF-8",
                           "ZORVEL_MESSAGEBOX_LOG=" + boxes.string()}));
    // Long enough to be past start-up and turning the loop on the clock's ticks.
    std::this_thread::sleep_for(3s);
    ASSERT_TRUE(run.StillRunning());
    run.Signal(SIGSEGV);
    EXPECT_EQ(run.WaitForExit(30s), 1);

    const std::string log = ReadFile(run.Folder() / "ErrorLog.dat");
    const auto lineEnd = log.find('\n');
    ASSERT_NE(lineEnd, std::string::npos) << log;
    EXPECT_EQ(lineEnd, std::string("08/12/2026 / 16:45").size()) << log;
    EXPECT_EQ(log.substr(lineEnd + 1), "Invalid memory access  в Auto\n");
    EXPECT_EQ(ReadFile(boxes), "Фатална грешка!|Грешката е: Invalid memory access в Auto\n");
}

// The signal mask line "SigIgn:" of a running process, as a number.
unsigned long long IgnoredSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("SigIgn:")) {
            return std::stoull(line.substr(7), nullptr, 16);
        }
    }
    return 0;
}

TEST(ProgramRunTest, TheShippedProgramIgnoresTheFileSizeSignalAndReadsNoTestHook) {
    ProgramRun run("signals");
    ASSERT_TRUE(run.Start({"QT_QPA_PLATFORM=offscreen", "LC_ALL=C.UTF-8"}));
    std::this_thread::sleep_for(2s);
    ASSERT_TRUE(run.StillRunning());
    EXPECT_NE(IgnoredSignals(run.Pid()) & (1ull << (SIGXFSZ - 1)), 0u)
        << "a write past the file-size limit would kill the program";
    // Neither the program nor the copy the fault trap starts takes orders from tests.
    const std::string executable = ReadFile(ZORVEL_EXECUTABLE);
    EXPECT_EQ(executable.find("ZORVEL_MESSAGEBOX_LOG"), std::string::npos);
    EXPECT_EQ(executable.find("ZORVEL_TEST_"), std::string::npos);
}

TEST(ProgramRunTest, ASaveBeyondTheFileSizeLimitIsReportedAndTheRunGoesOn) {
    ProgramRun run("limit", ZORVEL_TEST_ENTRY);
    const fs::path boxes = run.Folder() / "boxes.txt";
    const fs::path page = run.Folder() / "page.jpg";
    // As after "ulimit -f 50": the program inherits the limit.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const rlimit small{50 * 1024, previous.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool started = run.Start({"QT_QPA_PLATFORM=offscreen", "LC_ALL=C.UTF-8",
                                    "ZORVEL_MESSAGEBOX_LOG=" + boxes.string(),
                                    "ZORVEL_TEST_SAVE_AS=" + page.string()});
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &previous), 0);
    ASSERT_TRUE(started);

    // The program closes itself after the save; a signal would give 128 + its number.
    EXPECT_EQ(run.WaitForExit(60s), 0) << ReadFile(run.Folder() / "stderr.txt");
    EXPECT_EQ(ReadFile(boxes), "Опа-а!|Файлът „" + page.string() +
                                   "“ не е записан: файлът е по-голям от позволения размер.\n");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(run.Folder())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"boxes.txt", "stderr.txt"}));
}

TEST(ProgramIconTest, TheExecutableCarriesThe32PixelIcon) {
    const auto icon = ProgramIconFile();
    ASSERT_EQ(icon.size(), fs::file_size(ZORVEL_ICON_FILE));
    EXPECT_EQ(std::string(icon.begin(), icon.end()), ReadFile(ZORVEL_ICON_FILE));
    const QImage image = QImage::fromData(icon.data(), static_cast<int>(icon.size()), "PNG");
    EXPECT_EQ(image.size(), QSize(32, 32));
}

class ProgramEndTest : public LoopTest {};

TEST_F(ProgramEndTest, ClosingTheMainWindowWithTheViewerOpenEndsTheRunWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            Choose(CommandId::AirHumidityCommand, "За влажност на въздуха");
            if (Window(WindowId::PageViewerWindow) == nullptr) {
                std::_Exit(3);
            }
            Window(WindowId::MainWindow)->close();
            RunEventLoop(State(), context);
            ShutDown(ShutDownSteps{.releaseImages = ReleaseAllImages});
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(ProgramEndTest, ExitCommandEndsTheRunWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            Choose(CommandId::QuitCommand, "Изход от програмата");
            if (!State().quitRequested) {
                std::_Exit(3);
            }
            ShutDown(ShutDownSteps{.releaseImages = ReleaseAllImages});
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
