// The error log's path, date line, entry bytes and appending.
#include "lifecycle/error_log.h"

#include "ui/toolkit/date.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

constexpr toolkit::Date dayLength = 86400;

// Days from 1970-01-01, for building test dates independently of the code under test.
toolkit::Date DateOf(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return static_cast<toolkit::Date>(timegm(&t));
}

std::string LogDate(toolkit::Date date) {
    LogEntryText text;
    AppendLogDate(date, text);
    return std::string(text.View());
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TemporaryDirectory {
  public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvel-log-XXXXXX");
        path_ = mkdtemp(pattern.data());
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

TEST(LogDate, WritesLeadingZerosAndA24HourClock) {
    EXPECT_EQ(LogDate(DateOf(2027, 3, 5, 8, 4, 59)), "05/03/2027 / 08:04");
    EXPECT_EQ(LogDate(DateOf(2026, 12, 7, 16, 45)), "07/12/2026 / 16:45");
    EXPECT_EQ(LogDate(DateOf(1999, 12, 31, 23, 59, 59)), "31/12/1999 / 23:59");
    EXPECT_EQ(LogDate(DateOf(2000, 1, 1, 0, 0)), "01/01/2000 / 00:00");
}

TEST(LogDate, AgreesWithTheToolkitsDateTextOverLeapYearsAndCenturies) {
    // Every 7 hours 13 minutes from 1970 to beyond 2100: leap days, 2000 and 2100 included.
    const toolkit::Date step = 7 * 3600 + 13 * 60;
    for (toolkit::Date date = 0; date < DateOf(2101, 3, 2, 0, 0); date += step) {
        ASSERT_EQ(LogDate(date), toolkit::FormatDate("%dd/%mm/%yyyy / %hh:%ii", date)) << date;
    }
    EXPECT_EQ(LogDate(DateOf(2024, 2, 29, 12, 0)), "29/02/2024 / 12:00");
    EXPECT_EQ(LogDate(DateOf(2100, 2, 28, 12, 0) + dayLength), "01/03/2100 / 12:00");
}

TEST(LogEntry, IsTwoLinesWithTwoSpacesBeforeTheLocation) {
    LogEntryText entry;
    ComposeLogEntry(DateOf(2026, 12, 7, 16, 45), "Invalid memory access", "Auto", entry);
    EXPECT_EQ(entry.View(), "07/12/2026 / 16:45\nInvalid memory access  \xD0\xB2 Auto\n");
}

TEST(LogEntry, IntegerDivisionHasThreeSpacesBeforeTheLetter) {
    LogEntryText entry;
    ComposeLogEntry(DateOf(2027, 3, 5, 8, 4), "Division by zero ", "Main", entry);
    EXPECT_EQ(entry.View(), "05/03/2027 / 08:04\nDivision by zero   в Main\n");
}

TEST(LocalDate, OffsetClockAgreesWithTheToolkitsLocalDate) {
    const toolkit::Date before = toolkit::CurrentDate();
    const toolkit::Date ours = LocalDateWithOffset(CurrentUtcOffset());
    const toolkit::Date after = toolkit::CurrentDate();
    EXPECT_GE(ours, before);
    EXPECT_LE(ours, after);
}

TEST(AppendToFile, CreatesTheFileAndKeepsEarlierEntries) {
    const TemporaryDirectory directory;
    const std::string path = directory.Path() / "ErrorLog.dat";
    ASSERT_TRUE(AppendToFile(path.c_str(), "a\nb\n"));
    ASSERT_TRUE(AppendToFile(path.c_str(), "c\nd\n"));
    EXPECT_EQ(ReadAll(path), "a\nb\nc\nd\n");
}

TEST(AppendToFile, FailsWhenTheFileCannotBeOpened) {
    const TemporaryDirectory directory;
    // A directory in the log's place cannot be opened for writing, not even by root.
    std::filesystem::create_directory(directory.Path() / "ErrorLog.dat");
    EXPECT_FALSE(AppendToFile((directory.Path() / "ErrorLog.dat").c_str(), "a\nb\n"));
    EXPECT_FALSE(AppendToFile((directory.Path() / "missing" / "ErrorLog.dat").c_str(), "a\n"));
}

TEST(AppendToErrorLog, WritesIntoTheWorkingDirectory) {
    const TemporaryDirectory directory;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(directory.Path());
    const bool written = AppendToErrorLog("x\ny\n");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadAll(directory.Path() / "ErrorLog.dat"), "x\ny\n");
}

TEST(AppendToErrorLog, WritesIntoAWorkingDirectoryDeeperThanAPathMayBeLong) {
    const TemporaryDirectory directory;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(directory.Path());
    // 24 levels of 200 letters: some 4,800 bytes, beyond what one path may hold.
    const std::string level(200, 'd');
    for (int i = 0; i < 24; ++i) {
        std::filesystem::create_directory(level);
        std::filesystem::current_path(level);
    }
    const bool written = AppendToErrorLog("x\ny\n");
    const std::string log = ReadAll("ErrorLog.dat");
    // Taken down by relative names, which no full path could reach.
    std::filesystem::remove("ErrorLog.dat");
    for (int i = 0; i < 24; ++i) {
        std::filesystem::current_path("..");
        std::filesystem::remove(level);
    }
    std::filesystem::current_path(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(log, "x\ny\n");
}

TEST(FixedText, PadsNumbersAndDropsWhatDoesNotFit) {
    FixedText<8> text;
    text.AppendNumber(7, 2);
    text.Append('/');
    text.AppendNumber(-42, 4);
    EXPECT_EQ(text.View(), "07/-0042");
    EXPECT_FALSE(text.Truncated());
    text.Append('x');
    EXPECT_EQ(text.View(), "07/-0042");
    EXPECT_TRUE(text.Truncated());
    EXPECT_STREQ(text.CString(), "07/-0042");
    FixedText<24> wide;
    wide.AppendNumber(INT64_MIN, 1);
    EXPECT_EQ(wide.View(), "-9223372036854775808");
}

} // namespace
