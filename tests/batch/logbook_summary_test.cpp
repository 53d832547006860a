// A station's month summarised by day and by month, checked against the means the test
// works out itself from the table the same run wrote.
#include "batch/logbook_summary.h"
#include "calc/humidity_model.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <vector>

namespace {

struct Summarised {
    ConversionReport report;
    std::string table;
    std::string summary;
    std::uint64_t undatedRows = 0;
};

Summarised Summarise(const std::string& logbook, SummaryPeriod period,
                     ConversionSettings settings = {}) {
    settings.dateColumnRequired = true;
    const ScratchStream in(logbook);
    const ScratchStream table;
    const ScratchStream written;
    LogbookSummary summary(period);
    Summarised result;
    result.report = ConvertLogbook(in.get(), table.get(), settings, {}, {},
                                   [&summary](const RowCells& cells) { summary.Add(cells); });
    if (result.report.format) {
        EXPECT_TRUE(summary.Write(written.get(), *result.report.format));
    }
    result.table = table.Contents();
    result.summary = written.Contents();
    result.undatedRows = summary.UndatedRows();
    return result;
}

// The cells of a table without quotes.
std::vector<std::vector<std::string>> Rows(const std::string& table) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(table);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string>& cells = rows.emplace_back(1);
        for (const char c : line) {
            if (c == ',') {
                cells.emplace_back();
            } else {
                cells.back().push_back(c);
            }
        }
    }
    return rows;
}

// Eight terms a day would make the test long; three make the point: a cool morning, a dry
// afternoon and an evening, with a row the calculator refuses and one without a date.
const std::string Month = "date,time,tdry,twet,p\n"
                          "2024-05-01,07:00,12.4,10.1,1002.3\n"
                          "2024-05-01,14:00,21.8,15.2,1001.0\n"
                          "2024-05-01,21:00,15.0,12.9,1001.8\n"
                          "2024-05-02,07:00,10.2,9.6,995.4\n"
                          "2024-05-02,14:00,18.6,12.0,994.0\n"
                          "2024-05-02,21:00,13.1,25.0,994.9\n"
                          "2024-05-03,07:00,20.0,13.95,1010.0\n"
                          "2024-05-03,14:00,20.0,13.95,1010.0\n"
                          ",,19.0,17.0,1000\n"
                          "2024-05-04,07:00,5,9,1000\n"
                          "2024-06-01,07:00,16.5,14.0,1003.0\n";

// A one-decimal text in tenths.
long Tenths(const std::string& text) {
    return std::lround(std::stod(text) * 10);
}

// The mean of tenths, rounded half away from zero, as a one-decimal text.
std::string MeanText(long sum, long count) {
    const double mean = std::round(static_cast<double>(sum) / static_cast<double>(count)) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", mean);
    return text;
}

// The Magnus–Tetens dew point of е at Tdry, with E at Tdry and P from the model.
double DewPoint(double vapour, double dryBulb, double pressure) {
    const float dry = static_cast<float>(dryBulb);
    const double saturation =
        ComputeHumidity(dry, dry, static_cast<float>(pressure), PsychrometerType::Aspirated)
            .saturationPressure;
    const double gamma = std::log(vapour / saturation) + 17.271 * dryBulb / (dryBulb + 237.7);
    return 237.7 * gamma / (17.271 - gamma);
}

TEST(LogbookSummary, DailyMeansAreThoseOfTheValuesTheTableShows) {
    const Summarised result = Summarise(Month, SummaryPeriod::Day);
    ASSERT_FALSE(result.report.inputError);
    EXPECT_EQ(result.undatedRows, 1u);

    // The test's own sums, from the rows as the table wrote them.
    struct Day {
        long rows = 0, computed = 0, dryBulb = 0, vapour = 0, relative = 0, absolute = 0,
             pressure = 0;
    };
    std::map<std::string, Day> days;
    const auto table = Rows(result.table);
    ASSERT_EQ(table[0][9], "е [hPa]");
    for (std::size_t row = 1; row < table.size(); ++row) {
        const std::vector<std::string>& cells = table[row];
        if (cells[0].empty()) {
            continue;
        }
        Day& day = days[cells[0]];
        ++day.rows;
        if (!cells[10].empty()) {
            continue; // the error column
        }
        ++day.computed;
        day.dryBulb += Tenths(cells[2]);
        day.pressure += Tenths(cells[4]);
        day.absolute += Tenths(cells[5]);
        day.relative += Tenths(cells[6]);
        day.vapour += Tenths(cells[9]);
    }

    const auto summary = Rows(result.summary);
    EXPECT_EQ(summary[0], std::vector<std::string>({"period", "rows", "computed", "Tdry [°C]",
                                                    "е [hPa]", "RH [%]", "F [g/m3]", "Td [°C]",
                                                    "lowest RH [%]", "lowest RH at"}));
    // 4 May has only a refused row and is left out; June has a day of its own.
    ASSERT_EQ(summary.size(), 5u) << result.summary;
    for (std::size_t row = 1; row < summary.size(); ++row) {
        const std::vector<std::string>& cells = summary[row];
        ASSERT_EQ(cells.size(), 10u);
        SCOPED_TRACE(cells[0]);
        ASSERT_EQ(days.count(cells[0]), 1u);
        const Day& day = days[cells[0]];
        EXPECT_EQ(cells[1], std::to_string(day.rows));
        EXPECT_EQ(cells[2], std::to_string(day.computed));
        EXPECT_EQ(cells[3], MeanText(day.dryBulb, day.computed));
        EXPECT_EQ(cells[4], MeanText(day.vapour, day.computed));
        EXPECT_EQ(cells[5], MeanText(day.relative, day.computed));
        EXPECT_EQ(cells[6], MeanText(day.absolute, day.computed));
        EXPECT_NEAR(std::stod(cells[7]),
                    DewPoint(std::stod(cells[4]), std::stod(cells[3]),
                             std::stod(MeanText(day.pressure, day.computed))),
                    0.051);
    }
    EXPECT_EQ(summary[1][0], "2024-05-01");
    EXPECT_EQ(summary[2][1], "3"); // 2 May's third row is refused
    EXPECT_EQ(summary[2][2], "2");
    EXPECT_EQ(summary[4][0], "2024-06-01");
    // The driest hour of 1 May was its afternoon; 3 May's two equal rows give the earlier.
    EXPECT_EQ(summary[1][9], "2024-05-01 14:00");
    EXPECT_EQ(summary[1][8], table[2][6]);
    EXPECT_EQ(summary[3][9], "2024-05-03 07:00");
}

TEST(LogbookSummary, AMonthIsTheSameWhateverOrderItsRowsComeIn) {
    const Summarised inOrder = Summarise(Month, SummaryPeriod::Month);
    const auto rows = Rows(inOrder.summary);
    ASSERT_EQ(rows.size(), 3u) << inOrder.summary;
    EXPECT_EQ(rows[1][0], "2024-05");
    EXPECT_EQ(rows[1][1], "9");
    EXPECT_EQ(rows[1][2], "7");
    // The month's driest row, as the table has it.
    std::vector<std::string> driest;
    for (const std::vector<std::string>& cells : Rows(inOrder.table)) {
        if (cells[0].starts_with("2024-05") && cells[10].empty() &&
            (driest.empty() || Tenths(cells[6]) < Tenths(driest[6]))) {
            driest = cells;
        }
    }
    ASSERT_FALSE(driest.empty());
    EXPECT_EQ(rows[1][8], driest[6]);
    EXPECT_EQ(rows[1][9], driest[0] + " " + driest[1]);
    EXPECT_EQ(rows[2][0], "2024-06");

    std::vector<std::string> lines;
    std::istringstream in(Month);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::mt19937 random(28);
    for (int shuffle = 0; shuffle < 5; ++shuffle) {
        std::shuffle(lines.begin() + 1, lines.end(), random);
        std::string shuffled;
        for (const std::string& line : lines) {
            shuffled += line + "\n";
        }
        EXPECT_EQ(Summarise(shuffled, SummaryPeriod::Month).summary, inOrder.summary);
        EXPECT_EQ(Summarise(shuffled, SummaryPeriod::Day).summary,
                  Summarise(Month, SummaryPeriod::Day).summary);
    }
}

TEST(LogbookSummary, WrittenLikeTheTableAndRefusedWithoutADateColumn) {
    // Semicolons, decimal commas, CRLF and a byte-order mark, as the table has them.
    const Summarised excel = Summarise("\xEF\xBB\xBF"
                                       "Дата;Сух;Мокър;Налягане\r\n"
                                       "01.05.2024 07:00;20,5;18,3;981,1\r\n",
                                       SummaryPeriod::Day);
    EXPECT_EQ(excel.summary, "\xEF\xBB\xBF"
                             "period;rows;computed;Tdry [°C];е [hPa];RH [%];F [g/m3];Td [°C];"
                             "lowest RH [%];lowest RH at\r\n"
                             "2024-05-01;1;1;20,5;19,6;81,0;14,3;17,1;81,0;2024-05-01 07:00\r\n");

    const Summarised undated = Summarise("tdry,twet,p\n20.5,18.3,981.1\n", SummaryPeriod::Month);
    EXPECT_TRUE(undated.report.noDateColumn);
    EXPECT_FALSE(undated.report.format);
    EXPECT_EQ(undated.table, "");
}

} // namespace
