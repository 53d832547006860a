// zorvel-batch as a user runs it: exit statuses, the line on standard error, and -o never
// leaving a half-written or lost table behind.
#include "tests/shipping/command_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Program = ZORVEL_BATCH_PROGRAM;
const std::string OldTable = "the table of last month\n";

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
    EXPECT_EQ(Read(results), "date,tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],error\n"
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
    const fs::path broken = Write("broken.csv", "tdry,twet,p\n20,18,1000\n\"20,18,1000\n");
    const CommandResult unclosed =
        Run(ShellQuote(broken.string()) + " -o " + ShellQuote(results.string()) + " --lang en");
    EXPECT_EQ(unclosed.exitCode, 1);
    EXPECT_EQ(unclosed.output,
              "zorvel-batch: " + broken.string() + ":3: a quoted field is not closed\n");
    EXPECT_EQ(Read(results), OldTable);
    EXPECT_EQ(FilesInFolder(), 3u) << "a temporary file was left behind";

    const CommandResult absent = Run(ShellQuote((folder_ / "absent.csv").string()));
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.output, "zorvel-batch: " + (folder_ / "absent.csv").string() +
                                 ": не може да се отвори: няма такъв файл\n");

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

} // namespace
