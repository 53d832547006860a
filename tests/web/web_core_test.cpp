// What the page's module does beyond the libraries it shares with the desktop: the JSON
// its script parses, the logbook options in zorvel-batch's words, logbooks over memory.
#include "web/calculator_session.h"
#include "web/json_text.h"
#include "web/logbook_run.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

LogbookRun Convert(std::string_view csv, const LogbookOptions& options = {}) {
    return RunLogbook(reinterpret_cast<const unsigned char*>(csv.data()), csv.size(), options, true,
                      {});
}

TEST(WebJson, EscapesWhatWouldEndOrBreakAString) {
    EXPECT_EQ(JsonString("Зорвел, версия 1.1\n\n„Помагало“"),
              "\"Зорвел, версия 1.1\\n\\n„Помагало“\"");
    EXPECT_EQ(JsonString("a\"b\\c\td\x01"), "\"a\\\"b\\\\c\\u0009d\\u0001\"");
}

TEST(WebSession, AnswersAPressAsThePageReadsIt) {
    CalculatorSession session;
    EXPECT_EQ(session.Press("981.1", "20.5", "18.3", BarometerUnit::Hpa,
                            PsychrometerType::Aspirated, WetBulbCover::Water),
              "{\"kind\":\"accepted\",\"inputs\":[\"20.5   [°C]\",\"18.3   [°C]\","
              "\"981.1  [hPa]\"],\"results\":[\"14.3 [g/m3]\",\"81.0 [%]\",\"17.1  [°C]\","
              "\"24.2 [hPa]\",\"19.6 [hPa]\"]}");
    EXPECT_EQ(session.Press("981.1", "20.5", "18.3", BarometerUnit::Hpa,
                            PsychrometerType::Aspirated, WetBulbCover::Water),
              "{\"kind\":\"none\"}");
    EXPECT_TRUE(session.Enter(InputField::WetBulb));
    EXPECT_FALSE(session.Enter(InputField::WetBulb));
    EXPECT_EQ(session.Press("981.1", "20.5", "25", BarometerUnit::Hpa, PsychrometerType::Aspirated,
                            WetBulbCover::Water),
              "{\"kind\":\"refused\",\"message\":\"Има грешка при въвеждането на стойностите на "
              "сухия и мокрия термометър\",\"field\":1}");
    // The chart keeps the accepted reading through the refusal and through Clear.
    session.Clear();
    EXPECT_NE(session.ChartSvg().find("Tdry = 20.5 °C, Twet = 18.3 °C"), std::string::npos);
}

TEST(WebLogbook, TakesEachOptionInZorvelBatchsWords) {
    const ConversionSettings set =
        SettingsOf({"mmHg", "non-aspirated", "ice", ";", "comma", "utf-16", "windows-1251"});
    EXPECT_EQ(set.unit, BarometerUnit::Mmhg);
    EXPECT_EQ(set.type, PsychrometerType::NonAspirated);
    EXPECT_EQ(set.bulb, BulbChoice::Ice);
    EXPECT_EQ(set.outputDelimiter, ';');
    EXPECT_EQ(set.decimal, DecimalMark::Comma);
    EXPECT_EQ(set.inputEncoding, TextEncoding::Utf16Le);
    EXPECT_EQ(set.outputEncoding, TextEncoding::Windows1251);
    EXPECT_EQ(SettingsOf({"m", "", "auto", "tab", "point", "", ""}).outputDelimiter, '\t');
    // Nothing chosen leaves every option to the logbook, as zorvel-batch without options.
    const ConversionSettings none = SettingsOf({});
    EXPECT_FALSE(none.unit || none.type || none.outputDelimiter || none.decimal ||
                 none.inputEncoding || none.outputEncoding);
    EXPECT_EQ(none.bulb, BulbChoice::Water);
}

TEST(WebLogbook, ConvertsFromMemoryWithItsChart) {
    const LogbookRun run = Convert("date,tdry,twet,p\r\n2024-05-01,20.5,18.3,981.1\r\n");
    EXPECT_EQ(run.table, "date,tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка\r\n"
                         "2024-05-01,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\r\n");
    EXPECT_EQ(run.report.rows, 1u);
    EXPECT_EQ(run.chart.rfind("<?xml", 0), 0u);
    EXPECT_EQ(RunReportJson(run), "{\"rows\":1,\"failedRows\":0,\"writeFailed\":false}");
}

TEST(WebLogbook, AnUnreadableLogbookGivesItsReasonAndNoChart) {
    const LogbookRun empty = Convert("");
    EXPECT_EQ(empty.report.inputError, "няма заглавен ред");
    EXPECT_TRUE(empty.chart.empty());
    // A quote left open spoils its row only: the run goes on, and the chart is written.
    const LogbookRun open = Convert("tdry,twet,p\n20,\"18,981\n");
    EXPECT_FALSE(open.report.inputError);
    EXPECT_EQ(open.report.failedRows, 1u);
    EXPECT_FALSE(open.chart.empty());
    EXPECT_NE(RunReportJson(empty).find("\"inputError\":\"няма заглавен ред\",\"inputErrorLine\":"),
              std::string::npos);
}

} // namespace
