#include "common/date.h"

#include <gtest/gtest.h>

namespace {

// 2027-03-05 08:04:09 as local-calendar seconds.
constexpr common::Date March5th2027 = 1804233849;

TEST(FormatDate, ClockMaskPadsEveryFieldToTwoDigits) {
    EXPECT_EQ(common::FormatDate("%hh:%ii:%ss", 9 * 3600 + 5 * 60 + 7), "09:05:07");
    EXPECT_EQ(common::FormatDate("%hh:%ii:%ss", 23 * 3600 + 59 * 60 + 59), "23:59:59");
}

TEST(FormatDate, ErrorLogMask) {
    EXPECT_EQ(common::FormatDate("%dd/%mm/%yyyy / %hh:%ii", March5th2027), "05/03/2027 / 08:04");
}

TEST(FormatDate, TokensIgnoreLetterCaseAndUnknownPercentIsCopied) {
    EXPECT_EQ(common::FormatDate("%HH:%Ii:%sS", 9 * 3600 + 5 * 60 + 7), "09:05:07");
    EXPECT_EQ(common::FormatDate("%x %% 100%", 0), "%x %% 100%");
    EXPECT_EQ(common::FormatDate("%YYYY %yy %Y", March5th2027), "2027 27 %Y");
}

TEST(FormatDate, LongYearTokenWinsOverShortOne) {
    EXPECT_EQ(common::FormatDate("%yyyyy", March5th2027), "2027y");
    EXPECT_EQ(common::FormatDate("%yyy", March5th2027), "27y");
}

TEST(FormatDate, DatesAfterJanuary2038) {
    // 2038-01-19 03:14:08, one second past the 32-bit limit.
    EXPECT_EQ(common::FormatDate("%dd/%mm/%yyyy %hh:%ii:%ss", 2147483648), "19/01/2038 03:14:08");
    // 2100-03-01 00:00:00: 2100 is not a leap year.
    EXPECT_EQ(common::FormatDate("%dd/%mm/%yyyy", 4107542400), "01/03/2100");
    EXPECT_EQ(common::FormatDate("%dd/%mm/%yyyy", 4107542400 - 86400), "28/02/2100");
}

TEST(CurrentDate, MatchesTheLocalCalendarAndHasNo2038Limit) {
    const common::Date now = common::CurrentDate();
    EXPECT_GT(now, 1700000000); // after 2023
    const std::string year = common::FormatDate("%yyyy", now);
    EXPECT_EQ(year.size(), 4u);
}

} // namespace
