// Dates and times of observation as logbooks write them, and what a row that gets them
// wrong becomes.
#include "batch/observation_time.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ObservationTime Day(int year, int month, int day, std::optional<int> minute = std::nullopt) {
    ObservationTime time;
    time.year = year;
    time.month = static_cast<std::uint8_t>(month);
    time.day = static_cast<std::uint8_t>(day);
    if (minute) {
        time.minuteOfDay = static_cast<std::uint16_t>(*minute);
    }
    return time;
}

TEST(ObservationTime, BothDateFormsWithOrWithoutATimeAndOnlyDaysTheCalendarHas) {
    EXPECT_EQ(ParseObservationDate("2024-05-01"), Day(2024, 5, 1));
    EXPECT_EQ(ParseObservationDate(" 01.05.2024 "), Day(2024, 5, 1));
    EXPECT_EQ(ParseObservationDate("1.5.2024"), Day(2024, 5, 1));
    EXPECT_EQ(ParseObservationDate("2024-05-01 07:30"), Day(2024, 5, 1, 7 * 60 + 30));
    EXPECT_EQ(ParseObservationDate("2024-05-01T23:59:59"), Day(2024, 5, 1, 23 * 60 + 59));
    EXPECT_EQ(ParseObservationDate("29.02.2024 8:00"), Day(2024, 2, 29, 8 * 60));
    EXPECT_EQ(ParseObservationDate("2000-02-29"), Day(2000, 2, 29));
    for (const char* refused : {"",
                                "2024-5-01",
                                "2024-05-1",
                                "2024/05/01",
                                "01-05-2024",
                                "01.05.24",
                                "2023-02-29",
                                "1900-02-29",
                                "2024-04-31",
                                "2024-13-01",
                                "00.05.2024",
                                "2024-05-01x",
                                "2024-05-01T",
                                "2024-05-01 24:00",
                                "2024-05-01 7",
                                "2024-05-01 07:60",
                                "2024-05-01 07:30:60",
                                "2024-05-01 007:30",
                                "+2024-05-01",
                                "2024-05-01 07:30Z"}) {
        EXPECT_FALSE(ParseObservationDate(refused)) << refused;
    }
    EXPECT_EQ(ParseClockTime(" 00:00"), 0);
    EXPECT_EQ(ParseClockTime("21:00:15"), 21 * 60);
    EXPECT_FALSE(ParseClockTime("21.00"));
    EXPECT_FALSE(ParseClockTime("21:0"));
}

TEST(ObservationTime, AMalformedDateOrTimeMakesABadRowAndTheRestCarryTheirTime) {
    for (const MessageLanguage language : {MessageLanguage::Bulgarian, MessageLanguage::English}) {
        ConversionSettings settings;
        settings.language = language;
        const std::string badDate(BadDateMessage(language));
        const std::string badTime(BadTimeMessage(language));
        std::vector<RowCells> computed;
        const ScratchStream in("Дата,час,tdry,twet,p\n"
                               "2024-05-01,07:00,20.5,18.3,981.1\n"
                               "2024-05-31,,20.5,18.3,981.1\n"
                               "2024-05-32,07:00,20.5,18.3,981.1\n"
                               "2024-05-02,7h,20.5,18.3,981.1\n"
                               ",7h,20.5,18.3,981.1\n"
                               "2024-05-03 14:00,,20.5,18.3,981.1\n"
                               ",,20.5,18.3,981.1\n");
        const ScratchStream out;
        const ConversionReport report =
            ConvertLogbook(in.get(), out.get(), settings, {},
                           [&computed](const RowCells& cells) { computed.push_back(cells); });
        EXPECT_EQ(report.rows, 7u);
        EXPECT_EQ(report.failedRows, 3u);
        const std::string table = out.Contents();
        // The cells stay as they were written; the bad ones get no results.
        EXPECT_NE(table.find("2024-05-32,07:00,20.5,18.3,981.1,,,,,,\"" + badDate + "\""),
                  std::string::npos)
            << table;
        EXPECT_NE(table.find("2024-05-02,7h,20.5,18.3,981.1,,,,,," + badTime + "\n"),
                  std::string::npos)
            << table;
        EXPECT_NE(table.find("\n,7h,20.5,18.3,981.1,,,,,," + badTime + "\n"), std::string::npos)
            << table;
        ASSERT_EQ(computed.size(), 4u);
        EXPECT_EQ(computed[0].observed, Day(2024, 5, 1, 7 * 60));
        EXPECT_EQ(computed[1].observed, Day(2024, 5, 31));
        EXPECT_EQ(computed[2].observed, Day(2024, 5, 3, 14 * 60));
        EXPECT_FALSE(computed[3].observed);
    }
}

} // namespace
