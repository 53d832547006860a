#include "batch/chart_svg.h"
#include "batch/logbook_chart.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// The SVG of a logbook with these rows (Tdry, е, P), as written to a file.
std::string SvgOf(LogbookChart& logbook) {
    const chart::ChartDescription description = logbook.Describe();
    const chart::ChartDrawing drawing = chart::LayOutChart(description, 1000, 758);
    const ScratchStream file;
    EXPECT_TRUE(WriteChartSvg(drawing, description.logbookPoints, file.get()));
    return file.Contents();
}

TEST(LogbookChart, OnePointARowOverTheCurvesAtTheMedianPressure) {
    LogbookChart logbook;
    logbook.Add(20.5f, 19.6f, 981.1f);
    logbook.Add(-5, 2, 700);
    logbook.Add(30, 20, 1100);
    logbook.Add(10, 8, 1000);
    const std::string svg = SvgOf(logbook);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    // Of an even count, the lower middle pressure.
    EXPECT_NE(svg.find("4 изчислени реда; кривите са при медианното налягане 981.1 hPa"),
              std::string::npos);
    const std::size_t group = svg.find("<g fill=\"#c81e1e\" fill-opacity=");
    ASSERT_NE(group, std::string::npos);
    const std::string points = svg.substr(group, svg.find("</g>", group) - group);
    EXPECT_EQ(Count(points, "<circle "), 4u);
    EXPECT_EQ(Count(svg, "<g"), Count(svg, "</g>"));
    EXPECT_EQ(Count(svg, "<text"), Count(svg, "</text>"));

    LogbookChart empty;
    const std::string none = SvgOf(empty);
    EXPECT_NE(none.find("0 изчислени реда; кривите са при медианното налягане 1013.3 hPa"),
              std::string::npos);
    EXPECT_EQ(Count(none, "<circle"), 0u);
}

TEST(LogbookChart, ManyRowsGetFaintPoints) {
    LogbookChart logbook;
    for (int row = 0; row < 5001; ++row) {
        logbook.Add(static_cast<float>(row % 80 - 30), 5, 1000);
    }
    const std::string svg = SvgOf(logbook);
    EXPECT_NE(svg.find("<g fill=\"#c81e1e\" fill-opacity=\"0.24\">"), std::string::npos);
    EXPECT_EQ(Count(svg, "<circle cx"), 5001u);
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
        logbook.Add(20, 10, 1000);
        const chart::ChartDescription description = logbook.Describe();
        EXPECT_FALSE(WriteChartSvg(chart::LayOutChart(description, 1000, 758),
                                   description.logbookPoints, readOnly.get()));
    }
    std::filesystem::remove(name);
}

} // namespace
