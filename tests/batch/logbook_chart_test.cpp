#include "batch/chart_range.h"
#include "batch/chart_svg.h"
#include "batch/logbook_chart.h"
#include "chart/month_palette.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numeric>
#include <regex>
#include <string>

namespace {

constexpr int Width = 1000;
constexpr int Height = 758;

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

chart::ChartReading Reading(float dryBulb, float wetBulb, float pressure) {
    return {dryBulb,
            wetBulb,
            pressure,
            PsychrometerType::Aspirated,
            WetBulbCover::Water,
            ComputeHumidity(dryBulb, wetBulb, pressure, PsychrometerType::Aspirated)};
}

std::string SvgOf(const LogbookChart& logbook,
                  std::optional<chart::ChartRange> range = std::nullopt) {
    return logbook.Svg(range, Width, Height);
}

// Every element that draws something says what it is, for a user's stylesheet.
void ExpectEveryElementClassed(const std::string& svg) {
    const std::regex element("<(polyline|circle|rect|path|text)( [^>]*)?>");
    std::size_t elements = 0;
    for (auto at = std::sregex_iterator(svg.begin(), svg.end(), element);
         at != std::sregex_iterator(); ++at) {
        ++elements;
        EXPECT_NE(at->str().find(" class=\""), std::string::npos) << at->str();
    }
    EXPECT_GT(elements, 20u);
    EXPECT_EQ(Count(svg, "<rect class=\"plot\""), 1u);
    EXPECT_EQ(Count(svg, "<text"), Count(svg, "</text>"));
    EXPECT_EQ(Count(svg, "<g"), Count(svg, "</g>"));
}

TEST(LogbookChart, OneRowDrawsThatReadingsChart) {
    LogbookChart logbook;
    const chart::ChartReading reading = Reading(20.5f, 18.3f, 981.1f);
    logbook.Add(reading, 5);
    const std::string svg = SvgOf(logbook);
    EXPECT_EQ(svg, ReadingChartSvg(reading, Width, Height));
    EXPECT_EQ(Count(svg, "<polyline class=\"construction\""), 3u);
    EXPECT_EQ(Count(svg, "<circle class=\"state-point\""), 4u);
    EXPECT_NE(svg.find(">Td = 17.1  [°C]</text>"), std::string::npos);
    EXPECT_NE(svg.find("class=\"inset\""), std::string::npos);
    ExpectEveryElementClassed(svg);
}

TEST(LogbookChart, DatedRowsTakeTheirMonthsColoursWithALegendOfTheMonthsPresent) {
    LogbookChart logbook;
    logbook.Add(Reading(-5, -6, 700), 1);
    logbook.Add(Reading(25, 18, 1100), 7);
    logbook.Add(Reading(10, 8, 1000), 7);
    logbook.Add(Reading(20.5f, 18.3f, 981.1f), 0);
    const std::string svg = SvgOf(logbook);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    // Of an even count, the lower middle pressure.
    EXPECT_NE(svg.find("4 изчислени реда; кривите са при медианното налягане 981.1 hPa"),
              std::string::npos);
    EXPECT_EQ(Count(svg, "<circle class=\"point\""), 4u);
    for (const auto& [month, points] : {std::pair{1, 1u}, std::pair{7, 2u}, std::pair{0, 1u}}) {
        const chart::ChartInk ink = chart::MonthInk(month);
        char fill[16];
        std::snprintf(fill, sizeof fill, "#%02x%02x%02x", ink.red, ink.green, ink.blue);
        // The month's points and its dot in the legend.
        EXPECT_EQ(Count(svg, "fill=\"" + std::string(fill) + "\""), points + 1) << month;
        EXPECT_NE(svg.find(">" + std::string(chart::MonthName(month)) + "</text>"),
                  std::string::npos);
    }
    EXPECT_EQ(svg.find(">март</text>"), std::string::npos) << "only the months present";
    ExpectEveryElementClassed(svg);

    // Without dates one colour, and no legend.
    LogbookChart undated;
    undated.Add(Reading(-5, -6, 700), 0);
    undated.Add(Reading(25, 18, 1100), 0);
    const std::string plain = SvgOf(undated);
    EXPECT_EQ(Count(plain, "<circle class=\"point\""), 2u);
    EXPECT_EQ(Count(plain, "class=\"legend\""), 0u);
}

TEST(LogbookChart, ManyRowsAreCountedInCellsWhoseCountsAreTheRows) {
    LogbookChart logbook;
    // Reading k, from −10 °C up a degree at a time, 2k + 1 times.
    for (int row = 0; row <= static_cast<int>(LogbookChart::MostPoints); ++row) {
        const float dry = std::floor(std::sqrt(static_cast<float>(row))) - 10;
        logbook.Add(Reading(dry, dry - 3, 1000), row % 12 + 1);
    }
    const chart::ChartDescription description = logbook.Describe();
    EXPECT_TRUE(description.points.empty());
    ASSERT_FALSE(description.cells.empty());
    const std::uint64_t counted = std::accumulate(
        description.cells.begin(), description.cells.end(), std::uint64_t{0},
        [](std::uint64_t sum, const chart::CountedCell& cell) { return sum + cell.count; });
    EXPECT_EQ(counted, LogbookChart::MostPoints + 1);
    const std::string svg = SvgOf(logbook);
    EXPECT_EQ(Count(svg, "<circle class=\"point\""), 0u);
    // Shades on a scale from one to the most any cell holds, 87 of the reading at 33 °C.
    EXPECT_GT(Count(svg, "<path class=\"cell\""), 4u);
    EXPECT_NE(svg.find(">Показания в клетка</text>"), std::string::npos);
    EXPECT_NE(svg.find(">1</text>"), std::string::npos);
    EXPECT_NE(svg.find("–87</text>"), std::string::npos);
    ExpectEveryElementClassed(svg);

    // A cell past what two bytes count keeps counting.
    LogbookChart crowded;
    const chart::ChartReading same = Reading(20, 15, 1000);
    for (int row = 0; row < 140'000; ++row) {
        crowded.Add(same, 0);
    }
    const chart::ChartDescription one = crowded.Describe();
    ASSERT_EQ(one.cells.size(), 1u);
    EXPECT_EQ(one.cells[0].count, 140'000u);
    EXPECT_EQ(one.cells[0].t, 200);
}

TEST(LogbookChart, AFixedRangeIsTheTAxis) {
    LogbookChart logbook;
    logbook.Add(Reading(-5, -6, 1000), 1);
    logbook.Add(Reading(12, 8, 1000), 2);
    logbook.Add(Reading(40, 25, 1000), 3);
    const chart::ChartDescription fitted = logbook.Describe();
    EXPECT_LT(fitted.axes.t.low, -5);
    EXPECT_GT(fitted.axes.t.high, 40);
    const chart::ChartDescription fixed = logbook.Describe(chart::ChartRange{-10, 30});
    EXPECT_EQ(fixed.axes.t.low, -10);
    EXPECT_EQ(fixed.axes.t.high, 30);
    EXPECT_EQ(fixed.points.size(), 2u);
    EXPECT_NE(fixed.caption.find("; 1 извън диаграмата"), std::string::npos);

    const auto range = ParseChartRange("-2,5:12.5");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->low, -2.5f);
    EXPECT_EQ(range->high, 12.5f);
    for (const char* wrong : {"", "10", "30:10", "10:10.5", "-150:0", "a:10", "1e1:20", "inf:5",
                              "5:", ":5", "0:10:20", "+0:10", " 0:10"}) {
        EXPECT_FALSE(ParseChartRange(wrong)) << wrong;
    }
}

TEST(ChartSvg, TextIsEscapedAndCharactersXmlCannotHoldAreLeftOut) {
    EXPECT_EQ(EscapedForSvg("a<b & \"c\" > d"), "a&lt;b &amp; &quot;c&quot; &gt; d");
    EXPECT_EQ(EscapedForSvg(std::string("е\x01\x1f\tx", 7)), "е\tx");
    EXPECT_EQ(EscapedForSvg("17.1  [°C]"), "17.1  [°C]");
}

TEST(ChartSvg, AFailedWriteIsTold) {
    // A stream open for reading takes no bytes, on every system.
    const std::filesystem::path name =
        std::filesystem::temp_directory_path() / "zorvel-chart-read-only.svg";
    std::fclose(std::fopen(name.string().c_str(), "wb"));
    {
        // Closed before the file goes: Windows removes no file that is still open.
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> readOnly(
            std::fopen(name.string().c_str(), "rb"), std::fclose);
        ASSERT_NE(readOnly, nullptr);
        LogbookChart logbook;
        logbook.Add(Reading(20, 10, 1000), 0);
        EXPECT_FALSE(WriteChartSvg(SvgOf(logbook), readOnly.get()));
    }
    std::filesystem::remove(name);
}

} // namespace
