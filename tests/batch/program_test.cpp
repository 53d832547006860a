// zorvel-batch as a user runs it: exit statuses, the line on standard error, and -o never
// leaving a half-written or lost table behind.
#include "tests/shipping/command_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
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

namespace fs = std::filesystem;

namespace {

const std::string Program = ZORVEL_BATCH_PROGRAM;
const std::string OldTable = "the table of last month\n";
const std::string Header = "date,tdry,twet,p\n";
const std::string Row = "2024-05-01,20.5,18.3,981.1\n";

// The program started without a shell, so that a signal reaches it alone; its standard
// input is a pipe the test holds open, so that it is still running when the signal comes.
struct Started {
    pid_t pid = -1;
    int input = -1;
};

Started Start(std::vector<std::string> args) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&defaults, signal); // a shell running the suite in the background ignores SIGINT
    }
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    args.insert(args.begin(), Program);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    Started started;
    if (posix_spawn(&started.pid, Program.c_str(), &actions, &attributes, argv.data(), environ) !=
        0) {
        started.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipeEnds[0]);
    started.input = pipeEnds[1];
    return started;
}

class BatchProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorvel-batch-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, ignored);
        fs::remove_all(folder_, ignored);
    }
    fs::path Write(const std::string& name, const std::string& text) const {
        std::ofstream(folder_ / name, std::ios::binary) << text;
        return folder_ / name;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    static CommandResult Run(const std::string& arguments) {
        return RunCommand(ShellQuote(Program) + " " + arguments);
    }

    fs::path folder_;
};

TEST_F(BatchProgram, ComputedLogbookExitsZeroAndRowsWithErrorsTwo) {
    const fs::path logbook = Write("logbook.csv", "date,tdry,twet,p\n2024-05-01,20.5,18.3,981.1\n");
    const fs::path results = folder_ / "results.csv";
    const CommandResult good =
        Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(results.string()));
    EXPECT_EQ(good.exitCode, 0) << good.output;
    EXPECT_EQ(good.output, "");
    EXPECT_EQ(Read(results), "date,tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка\n"
                             "2024-05-01,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\n");

    // Standard input, another delimiter and unit, and English error texts.
    const CommandResult mixed =
        RunCommand("printf 'tdry,twet,p\\n20.5,18.3,737.7\\n20.5,18.3,\\n' | " +
                   ShellQuote(Program) + " --unit mmHg --type=2 --delimiter ';' --lang en -");
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_EQ(mixed.output, "tdry;twet;p;F [g/m3];RH [%];Td [°C];E [hPa];е [hPa];error\n"
                            "20.5;18.3;737.7;13.2;75.2;15.9;24.2;18.2;\n"
                            "20.5;18.3;;;;;;;No atmospheric pressure given\n");
}

TEST_F(BatchProgram, UnreadableInputExitsOneWithOneLineAndKeepsTheOldTable) {
    const fs::path results = Write("results.csv", OldTable);
    const fs::path noPressure = Write("no-pressure.csv", "tdry,twet,date\n20,18,today\n");
    const CommandResult missing =
        Run(ShellQuote(noPressure.string()) + " -o " + ShellQuote(results.string()));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.output, "zorvel-batch: " + noPressure.string() +
                                  ":1: няма колона за налягането (p или налягане) или "
                                  "надморската височина (h или височина)\n");

    // Broken only at its end, after rows were already written to the temporary file.
    const fs::path broken =
        Write("broken.csv", "tdry,twet,p\n20,18,1000\n\"20,18,1000\n" + std::string(99, 'x'));
    const CommandResult unclosed =
        Run(ShellQuote(broken.string()) + " -o " + ShellQuote(results.string()) +
            " --lang en --max-row-bytes 64");
    EXPECT_EQ(unclosed.exitCode, 1);
    EXPECT_EQ(unclosed.output, "zorvel-batch: " + broken.string() +
                                   ":3: the row is longer than allowed (64 bytes or 4 cells; see "
                                   "--max-row-bytes)\n");
    EXPECT_EQ(Read(results), OldTable);
    EXPECT_EQ(FilesInFolder(), 3u) << "a temporary file was left behind";

    const CommandResult absent = Run(ShellQuote((folder_ / "absent.csv").string()));
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.output, "zorvel-batch: " + (folder_ / "absent.csv").string() +
                                 ": не може да се отвори: няма такъв файл\n");
    const CommandResult folder = Run(ShellQuote(folder_.string()));
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.output,
              "zorvel-batch: " + folder_.string() + ": не може да се отвори: това е папка\n");

    // A command line that cannot be understood is answered in the language it asks for.
    const CommandResult unknown = Run("--lang=en --frobnicate");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.output,
              "zorvel-batch: unknown option --frobnicate\nTry 'zorvel-batch --help'.\n");
}

TEST_F(BatchProgram, ReadOnlyFolderKeepsTheOldTable) {
    const fs::path logbook = Write("logbook.csv", "tdry,twet,p\n20.5,18.3,981.1\n");
    const fs::path locked = folder_ / "locked";
    fs::create_directory(locked);
    const fs::path results = locked / "results.csv";
    std::ofstream(results) << OldTable;
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    // Root writes into a read-only folder anyway, so as root the program runs as nobody
    // (the test folder is readable by everyone).
    fs::permissions(folder_, fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    const std::string asUser = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 "
                                                "--clear-groups "
                                              : "";
    // The table itself stays writable to whoever runs the program, as a user's own is:
    // written in place, it would be lost to a run that breaks.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(results.c_str(), 65534, 65534), 0);
    }
    const CommandResult run =
        RunCommand(asUser + ShellQuote(Program) + " " + ShellQuote(logbook.string()) + " -o " +
                   ShellQuote(results.string()));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(run.output, "zorvel-batch: " + results.string() +
                              ": не може да се запише: нямате право да записвате в тази папка\n");
    EXPECT_EQ(Read(results), OldTable);

    const CommandResult noFolder = Run(ShellQuote(logbook.string()) + " --lang en -o " +
                                       ShellQuote((folder_ / "absent/results.csv").string()));
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_EQ(noFolder.output, "zorvel-batch: " + (folder_ / "absent/results.csv").string() +
                                   ": cannot write: no such folder\n");
}

TEST_F(BatchProgram, InterruptedRunKeepsTheOldTableAndLeavesNoTemporaryFile) {
    const fs::path results = Write("results.csv", OldTable);
    std::string rows = Header;
    while (rows.size() < (100 << 10)) {
        rows += Row; // more than one read, so that rows are already written
    }
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
        const Started run = Start({"-o", results.string()});
        ASSERT_GT(run.pid, 0);
        ASSERT_EQ(write(run.input, rows.data(), rows.size()), static_cast<ssize_t>(rows.size()));
        for (int wait = 0; wait < 1000 && FilesInFolder() < 2; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_EQ(FilesInFolder(), 2u) << "no temporary file appeared";
        kill(run.pid, signal);
        int status = 0;
        ASSERT_EQ(waitpid(run.pid, &status, 0), run.pid);
        close(run.input);
        // Ended by the signal itself: a shell says 128 + its number (130, 143, 129).
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(Read(results), OldTable);
        EXPECT_EQ(FilesInFolder(), signal == SIGKILL ? 2u : 1u) << signal;
    }
    // kill -9 leaves a file named after the table, which the next run on it removes.
    const CommandResult next = RunCommand("printf '" + Header + Row + "' | " + ShellQuote(Program) +
                                          " -o " + ShellQuote(results.string()));
    EXPECT_EQ(next.exitCode, 0) << next.output;
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(BatchProgram, EndlessOrHugeRowsStopAtOnceInAFewMegabytes) {
    const fs::path longLine = Write("long.csv", Header + std::string(2 << 20, '7') + "\n");
    for (const std::string& input : {std::string("/dev/zero"), longLine.string()}) {
        const Started run = Start({input});
        ASSERT_GT(run.pid, 0);
        close(run.input);
        int status = 0;
        rusage usage{};
        ASSERT_EQ(wait4(run.pid, &status, 0, &usage), run.pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << input;
        const double seconds =
            static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        EXPECT_LT(seconds, 1.0) << input;
#ifndef ZORVEL_SANITIZED_BUILD
        EXPECT_LT(usage.ru_maxrss, 16 * 1024) << input << ": peak kB";
#endif
    }
}

TEST_F(BatchProgram, FailedWritesStopTheRunAndLeaveNothingBehind) {
    std::string rows = Header;
    for (int i = 0; i < 3000; ++i) {
        rows += Row;
    }
    const fs::path logbook = Write("logbook.csv", rows);
    const fs::path results = folder_ / "results.csv";
    const CommandResult limited =
        RunCommand("ulimit -f 10; " + ShellQuote(Program) + " " + ShellQuote(logbook.string()) +
                   " -o " + ShellQuote(results.string()));
    EXPECT_EQ(limited.exitCode, 1);
    EXPECT_EQ(limited.output,
              "zorvel-batch: " + results.string() +
                  ": не може да се запише: файлът е по-голям от позволения размер\n");
    EXPECT_EQ(FilesInFolder(), 1u);

    // Endless input into a full disk ends at the first failed write, said once.
    const CommandResult full = RunCommand("((echo tdry,twet,p; yes 20,18,1000) | timeout 20 " +
                                          ShellQuote(Program) + " --lang en > /dev/full)");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.output, "zorvel-batch: standard output: cannot write: the disk is full\n");
}

TEST_F(BatchProgram, ClosedStandardInputAndStandardOutputByName) {
    const fs::path logbook = Write("logbook.csv", Header + Row);
    const fs::path results = folder_ / "results.csv";
    const CommandResult closed = RunCommand(ShellQuote(Program) + " - <&-");
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_EQ(closed.output, "zorvel-batch: стандартен вход: входът не може да бъде прочетен: "
                             "стандартният вход е затворен\n");
    // The temporary file must not take descriptor 0 and be read as the logbook.
    const CommandResult named =
        RunCommand(ShellQuote(Program) + " " + ShellQuote(logbook.string()) + " -o " +
                   ShellQuote(results.string()) + " <&-");
    EXPECT_EQ(named.exitCode, 0) << named.output;
    const std::string table = Read(results);
    EXPECT_EQ(table, "date,tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка\n"
                     "2024-05-01,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\n");
    for (const char* standardOutput : {"-", "/dev/stdout"}) {
        const CommandResult piped =
            RunCommand(ShellQuote(Program) + " " + ShellQuote(logbook.string()) + " -o " +
                       standardOutput + " | cat");
        EXPECT_EQ(piped.output, table) << standardOutput;
    }
}

// Unmounts what the test mounted, however it ends.
struct Mounted {
    fs::path at;
    ~Mounted() { RunCommand("umount " + ShellQuote(at.string())); }
};

TEST_F(BatchProgram, FolderWithoutRoomForANewFileKeepsTheLogbookItWasToReplace) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a tmpfs with few inodes needs root";
    }
    const fs::path small = folder_ / "small";
    fs::create_directory(small);
    if (RunCommand("mount -t tmpfs -o size=1m,nr_inodes=3 tmpfs " + ShellQuote(small.string()))
            .exitCode != 0) {
        GTEST_SKIP() << "this machine does not let the test mount a tmpfs";
    }
    const Mounted mounted{small};
    const std::string logbook = Header + Row;
    std::ofstream(small / "log.csv") << logbook;
    std::ofstream(small / "f0") << ""; // the last inode
    const std::string target = (small / "log.csv").string();
    const CommandResult run = Run(ShellQuote(target) + " -o " + ShellQuote(target));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "zorvel-batch: " + target +
                              ": не може да се запише: няма място за нов файл в папката\n");
    EXPECT_EQ(Read(target), logbook);
}

// The width and height in a PNG's header chunk.
std::pair<unsigned, unsigned> PngSize(const std::string& png) {
    const auto word = [&png](std::size_t at) {
        unsigned value = 0;
        for (std::size_t byte = 0; byte < 4; ++byte) {
            value = value << 8 | static_cast<unsigned char>(png.at(at + byte));
        }
        return value;
    };
    EXPECT_EQ(png.substr(1, 3), "PNG");
    return {word(16), word(20)};
}

std::size_t Points(const std::string& svg) {
    std::size_t count = 0;
    for (std::size_t at = svg.find("<circle class=\"point\""); at != std::string::npos;
         at = svg.find("<circle class=\"point\"", at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(BatchProgram, ChartDrawsEveryComputedRowAndARealRendererReadsIt) {
    const fs::path logbook = Write("logbook.csv", Header + Row +
                                                      "2024-05-02,10,25,1000\n"
                                                      "2024-05-03,-5,-7,990\n");
    const fs::path results = folder_ / "results.csv";
    const fs::path chart = folder_ / "chart.svg";
    const CommandResult run =
        Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(results.string()) + " --chart " +
            ShellQuote(chart.string()));
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_EQ(run.output, "");
    const std::string svg = Read(chart);
    EXPECT_EQ(Points(svg), 2u); // the row with the wet bulb above the dry one has none
    EXPECT_NE(svg.find("2 изчислени реда"), std::string::npos);
    EXPECT_EQ(FilesInFolder(), 3u); // no temporary file left beside them

    const fs::path png = folder_ / "chart.png";
    const CommandResult rendered = RunCommand("rsvg-convert " + ShellQuote(chart.string()) +
                                              " -o " + ShellQuote(png.string()) + " 2>&1");
    ASSERT_EQ(rendered.exitCode, 0) << rendered.output;
    EXPECT_EQ(rendered.output, "");
    EXPECT_EQ(PngSize(Read(png)), std::make_pair(1000u, 758u));

    // To standard output beside a table in a file; never both on standard output.
    const CommandResult piped =
        Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(results.string()) + " --chart -");
    EXPECT_EQ(piped.exitCode, 2);
    EXPECT_EQ(piped.output, svg);
    for (const std::string table : {"", " -o /dev/stdout"}) {
        const CommandResult both = Run(ShellQuote(logbook.string()) + table + " --chart -");
        EXPECT_EQ(both.exitCode, 1);
        EXPECT_NE(both.output.find("--chart - иска таблицата във файл"), std::string::npos)
            << both.output;
    }

    // A t axis fixed by hand; one that means nothing is refused before anything is written.
    const CommandResult ranged =
        Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(results.string()) + " --chart " +
            ShellQuote(chart.string()) + " --chart-range=-10:30");
    EXPECT_EQ(ranged.exitCode, 2);
    EXPECT_NE(Read(chart).find(">-10</text>"), std::string::npos);
    EXPECT_NE(Read(chart).find(">30</text>"), std::string::npos);
    for (const std::string range : {"30:10", "warm", ""}) {
        const CommandResult refused =
            Run(ShellQuote(logbook.string()) + " -o " + ShellQuote((folder_ / "new.csv").string()) +
                " --chart " + ShellQuote((folder_ / "new.svg").string()) + " --chart-range " +
                ShellQuote(range) + " 2>&1");
        EXPECT_EQ(refused.exitCode, 2) << range;
        EXPECT_EQ(refused.output,
                  "zorvel-batch: --chart-range " + range +
                      ": искат се две температури TMIN:TMAX в °C, по-ниската "
                      "първа (например -10:35); нищо не е прочетено или записано\n");
    }
    EXPECT_EQ(FilesInFolder(), 4u) << "nothing written for a refused range";
}

TEST_F(BatchProgram, AFailedRunKeepsTheChartThatWasThere) {
    const fs::path chart = Write("chart.svg", "the chart of last month\n");
    const fs::path empty = Write("empty.csv", "");
    const CommandResult run =
        Run(ShellQuote(empty.string()) + " -o " + ShellQuote((folder_ / "results.csv").string()) +
            " --chart " + ShellQuote(chart.string()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Read(chart), "the chart of last month\n");
    EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(BatchProgram, AChartNamingTheLogbookByAnyPathIsRefusedAndTheLogbookKept) {
    const std::string logbookText = Header + Row;
    const fs::path logbook = Write("дневник.csv", logbookText);
    fs::create_symlink(logbook.filename(), folder_ / "link.csv");
    fs::create_hard_link(logbook, folder_ / "hard.csv");
    const std::string results = ShellQuote((folder_ / "results.csv").string());
    for (const std::string chart : {"дневник.csv", "link.csv", "hard.csv", "./дневник.csv"}) {
        const std::string chartPath = (folder_ / chart).string();
        const CommandResult run = Run(ShellQuote(logbook.string()) + " -o " + results +
                                      " --chart " + ShellQuote(chartPath) + " 2>&1");
        EXPECT_EQ(run.exitCode, 2) << chart;
        EXPECT_EQ(run.output, "zorvel-batch: --chart " + chartPath +
                                  ": това е самият входен файл, " + logbook.string() +
                                  "; нищо не е прочетено или записано\n");
        EXPECT_EQ(Read(logbook), logbookText);
        EXPECT_EQ(FilesInFolder(), 3u) << chart; // no table, no temporary file
    }
    // Read from standard input, the logbook is known by the file behind it.
    const CommandResult piped =
        Run("--lang en -o " + results + " --chart " + ShellQuote((folder_ / "hard.csv").string()) +
            " <" + ShellQuote(logbook.string()) + " 2>&1");
    EXPECT_EQ(piped.exitCode, 2);
    EXPECT_NE(piped.output.find("this is the input file itself, standard input"), std::string::npos)
        << piped.output;
    EXPECT_EQ(Read(logbook), logbookText);
    // The table itself may replace its logbook: it keeps every column it read.
    EXPECT_EQ(Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(logbook.string())).exitCode,
              0);
    EXPECT_EQ(Read(logbook).rfind(logbookText.substr(0, Header.size() - 1) + ",F [g/m3]", 0), 0u);
}

TEST_F(BatchProgram, AStationsOptionsAreRefusedBeforeAnyFileIsTouched) {
    const fs::path logbook = Write("logbook.csv", Header + Row);
    const fs::path undated = Write("undated.csv", "tdry,twet,p\n20.5,18.3,981.1\n");
    const fs::path results = Write("results.csv", OldTable);
    const std::string oldSummary = "the summary of last month\n";
    const fs::path summary = Write("summary.csv", oldSummary);
    const fs::path certificates =
        Write("certificates.csv", "thermometer,reading,correction\ndry,0,0.1\nair,5,0.1\n");
    const fs::path good = Write("good.csv", "thermometer,reading,correction\ndry,0,0.1\n");
    fs::create_hard_link(logbook, folder_ / "hard.csv");
    const std::string refused = "; нищо не е прочетено или записано\n";
    const auto path = [this](const char* name) { return (folder_ / name).string(); };
    struct Case {
        std::string input;
        std::string options;
        int status;
        std::string message;
    };
    for (const Case& c : {
             Case{logbook, "--coefficient 0.0025", 2,
                  "--coefficient 0.0025: коефициентът на психрометъра е число от 0.0003 до "
                  "0.0020 на °C" +
                      refused},
             Case{logbook, "--summary day " + path("results.csv"), 2,
                  "--summary " + path("results.csv") + ": това е и файлът на -o" + refused},
             Case{logbook, "--chart " + path("new.svg") + " --summary day " + path("./new.svg"), 2,
                  "--summary " + path("./new.svg") + ": това е и файлът на --chart" + refused},
             Case{logbook, "--summary month " + path("hard.csv"), 2,
                  "--summary " + path("hard.csv") + ": това е самият входен файл, " +
                      logbook.string() + refused},
             Case{logbook,
                  "--corrections " + path("good.csv") + " --summary day " + path("good.csv"), 2,
                  "--summary " + path("good.csv") + ": това е файлът с поправките, " +
                      path("good.csv") + refused},
             Case{logbook, "--corrections " + certificates.string(), 1,
                  certificates.string() + ":3: непознат термометър „air“ (dry или сух, wet или "
                                          "мокър)\n"},
             Case{undated, "--summary day " + summary.string(), 2,
                  undated.string() + ": обобщението по дни или месеци иска колона за датата "
                                     "(date или дата); нищо не е записано\n"},
         }) {
        const CommandResult run =
            Run(ShellQuote(c.input) + " -o " + ShellQuote(results.string()) + " " + c.options);
        EXPECT_EQ(run.exitCode, c.status) << c.options;
        EXPECT_EQ(run.output, "zorvel-batch: " + c.message);
        EXPECT_EQ(Read(results), OldTable) << c.options;
        EXPECT_EQ(Read(summary), oldSummary) << c.options;
        EXPECT_EQ(FilesInFolder(), 7u) << c.options; // nothing new, no temporary file
    }
}

TEST_F(BatchProgram, TheSummaryIsReplacedOnlyByACompleteRun) {
    const fs::path logbook = Write("logbook.csv", Header + Row + ",20.5,18.3,981.1\n");
    const fs::path results = folder_ / "results.csv";
    const fs::path summary = Write("summary.csv", "the summary of last month\n");
    const std::string expected = "period,rows,computed,Tdry [°C],е [hPa],RH [%],F [g/m3],"
                                 "Td [°C],lowest RH [%],lowest RH at\n"
                                 "2024-05-01,1,1,20.5,19.6,81.0,14.3,17.1,81.0,2024-05-01\n";
    const CommandResult run =
        Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(results.string()) +
            " --summary day " + ShellQuote(summary.string()));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output,
              "zorvel-batch: " + logbook.string() + ": 1 ред без дата не влиза в обобщението\n");
    EXPECT_EQ(Read(summary), expected);
    const CommandResult piped = Run(ShellQuote(logbook.string()) + " --lang en -o " +
                                    ShellQuote(results.string()) + " --summary=day -");
    EXPECT_EQ(piped.output, expected + "zorvel-batch: " + logbook.string() +
                                ": 1 row without a date is left out of the summary\n");

    // Broken at its end, after rows were already summed: the summary of the run before stays.
    const fs::path broken =
        Write("broken.csv", Header + Row + "\"2024-05-02," + std::string(99, 'x'));
    const CommandResult failed =
        Run(ShellQuote(broken.string()) + " --max-row-bytes 64 -o " + ShellQuote(results.string()) +
            " --summary month " + ShellQuote(summary.string()));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(Read(summary), expected);
    EXPECT_EQ(FilesInFolder(), 4u) << "a temporary file was left behind";
}

// A Bulgarian Excel's logbook: its files come back in Windows-1251, while a terminal or a
// pipe gets UTF-8 as before.
TEST_F(BatchProgram, FilesComeBackInTheLogbooksEncodingAndStandardOutputInUtf8) {
    // "дата;сух;мокър;p" and a reading, as Excel saves it on a Bulgarian Windows.
    const fs::path logbook =
        Write("дневник.csv", "\xE4\xE0\xF2\xE0;\xF1\xF3\xF5;\xEC\xEE\xEA\xFA\xF0;p\r\n"
                             "2024-05-01;20,5;18,3;981,1\r\n");
    const fs::path results = folder_ / "резултати.csv";
    const fs::path summary = folder_ / "обобщение.csv";
    const CommandResult files =
        Run(ShellQuote(logbook.string()) + " -o " + ShellQuote(results.string()) +
            " --summary day " + ShellQuote(summary.string()) + " 2>/dev/null");
    EXPECT_EQ(files.exitCode, 0) << files.output;
    EXPECT_EQ(Read(results), "\xE4\xE0\xF2\xE0;\xF1\xF3\xF5;\xEC\xEE\xEA\xFA\xF0;p;F [g/m3];RH [%];"
                             "Td [\xB0"
                             "C];E [hPa];\xE5 [hPa];\xE3\xF0\xE5\xF8\xEA\xE0\r\n"
                             "2024-05-01;20,5;18,3;981,1;14,3;81,0;17,1;24,2;19,6;\r\n");
    EXPECT_TRUE(Read(summary).starts_with("period;rows;computed;Tdry [\xB0"
                                          "C];\xE5 [hPa];"))
        << Read(summary);
    // Standard error's note of the guess follows what standard output got.
    const CommandResult piped = Run(ShellQuote(logbook.string()));
    EXPECT_TRUE(piped.output.starts_with("дата;сух;мокър;p;F [g/m3];RH [%];Td [°C];E [hPa];"
                                         "е [hPa];грешка\r\n2024-05-01;20,5;18,3;981,1;14,3;"
                                         "81,0;17,1;24,2;19,6;\r\nzorvel-batch: "))
        << piped.output;
    const CommandResult summaryPiped = Run(ShellQuote(logbook.string()) + " -o " +
                                           ShellQuote(results.string()) + " --summary day -");
    EXPECT_NE(summaryPiped.output.find("\nperiod;rows;computed;Tdry [°C];е [hPa];"),
              std::string::npos)
        << summaryPiped.output;
    // Asked for, an encoding holds for the files.
    Run(ShellQuote(logbook.string()) + " --output-encoding utf-8 -o " +
        ShellQuote(results.string()));
    EXPECT_TRUE(Read(results).starts_with("дата;сух;мокър;p;")) << Read(results);
}

} // namespace
