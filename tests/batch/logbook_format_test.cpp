// What a logbook may look like on the way in (spreadsheet exports in two locales, quoting,
// header names in two languages) and what is written back, row and column for row and
// column; and the extended quantities against published tables.
#include "batch/batch_options.h"
#include "batch/moist_air.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

namespace {

TEST(LogbookFormat, BulgarianSpreadsheetExportKeepsItsLayout) {
    // Semicolons, decimal commas, a byte-order mark, CRLF, upper-case Cyrillic headers, a
    // blank line and a blank spreadsheet row.
    const ConvertedText converted = ConvertText("\xEF\xBB\xBF"
                                                "Дата; СУХ ;Мокър;НАЛЯГАНЕ;Вид\r\n"
                                                "01.05.2024;20,5;18,3;981,1;без аспирация\r\n"
                                                "\r\n"
                                                ";;;;\r\n"
                                                "02.05.2024;20.5;18.3;981.1;\r\n");
    EXPECT_EQ(converted.output,
              "\xEF\xBB\xBF"
              "Дата; СУХ ;Мокър;НАЛЯГАНЕ;Вид;F [g/m3];RH [%];Td [°C];E [hPa];е [hPa];грешка\r\n"
              "01.05.2024;20,5;18,3;981,1;без аспирация;13,2;75,2;15,9;24,2;18,2;\r\n"
              "02.05.2024;20.5;18.3;981.1;;14,3;81,0;17,1;24,2;19,6;\r\n");
    EXPECT_EQ(converted.report.rows, 2u);
    EXPECT_FALSE(converted.report.inputError);
}

TEST(LogbookFormat, QuotedFieldsAndOtherColumnsPassThroughUnchanged) {
    // With commas between fields a comma never counts as a decimal point; a row shorter
    // than the header is a bad row, one with empty cells beyond it is accepted.
    const ConvertedText converted =
        ConvertText("station,\"tdry\",twet,\"p\",note\n"
                    "\"Sofia, NIMH\",20.5,18.3,981.1,\"said \"\"dry\"\"\nand windy\"\n"
                    "Rila\t2,10,10\n"
                    "Vitosha,20.5,18.3,981.1,,,\n");
    EXPECT_EQ(converted.output,
              "station,tdry,twet,p,note,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка\n"
              "\"Sofia, NIMH\",20.5,18.3,981.1,\"said \"\"dry\"\"\nand windy\",14.3,81.0,17.1,"
              "24.2,19.6,\n"
              "Rila\t2,10,10,,,,,,,,\"редът има 3 клетки, заглавният ред 5\"\n"
              "Vitosha,20.5,18.3,981.1,,14.3,81.0,17.1,24.2,19.6,\n");
    EXPECT_EQ(converted.report.failedRows, 1u);
}

TEST(LogbookFormat, UnitAndTypeComeFromTheRowThenTheOptionsThenTheColumns) {
    ConversionSettings english;
    english.language = MessageLanguage::English;
    english.type = PsychrometerType::NonAspirated;
    const ConvertedText converted = ConvertText("tdry\ttwet\th\tunit\n"
                                                "20.5\t18.3\t1500\t\n"
                                                "20.5\t18.3\t1500\tmmHg\n"
                                                "20.5\t18.3\t1500\tinches\n"
                                                "20.5\t25\t1500\t\n"
                                                "30\t10\t0\tm\n",
                                                english);
    // Only an altitude column: metres unless a row says otherwise (1500 mmHg is too high).
    EXPECT_EQ(converted.output, "tdry\ttwet\th\tunit\tF [g/m3]\tRH [%]\tTd [°C]\tE [hPa]\t"
                                "е [hPa]\terror\n"
                                "20.5\t18.3\t1500\t\t13,5\t77,0\t16,3\t24,2\t18,6\t\n"
                                "20.5\t18.3\t1500\tmmHg\t\t\t\t\t\tError in the pressure value\n"
                                "20.5\t18.3\t1500\tinches\t\t\t\t\t\tUnknown barometer unit\n"
                                "20.5\t25\t1500\t\t\t\t\t\t\tError in the dry-bulb and "
                                "wet-bulb readings taken together\n"
                                "30\t10\t0\tm\t\t\t\t\t\tError in the dry-bulb and wet-bulb "
                                "readings taken together\n");
    EXPECT_EQ(converted.report.failedRows, 4u);
}

TEST(LogbookFormat, BulbComesFromTheRowThenTheOptionAndAutoIcesOnlyBelowZero) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseBatchOptions({"--bulb", "snow"})));
    const auto options = ParseBatchOptions({"--bulb=auto", "--extended", "--lang", "en"});
    ASSERT_TRUE(std::holds_alternative<BatchOptions>(options));
    const ConvertedText converted = ConvertText("tdry,twet,p,Термометър\n"
                                                "-10,-11,1013.25,\n"
                                                "-10,-11,1013.25,ВОДА\n"
                                                "2,0,1000,\n"
                                                "5,0.1,1013.25,ice\n"
                                                "5,0.1,1013.25,auto\n",
                                                std::get<BatchOptions>(options).conversion);
    // Over ice RH 61.7 and е 1.78 give r = 622 е / (P − е) = 1.09 g/kg; over water 68.6 and
    // 1.98 give 1.22. At exactly 0 °C auto keeps the water route (RH 69.6 over ice); a cell
    // names a bulb, never auto.
    EXPECT_EQ(converted.output,
              "tdry,twet,p,Термометър,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],r [g/kg],q [g/kg],"
              "h [kJ/kg],error\n"
              "-10,-11,1013.25,,1.4,61.7,-15.9,2.9,1.8,1.1,1.1,-7.3,\n"
              "-10,-11,1013.25,ВОДА,1.6,68.6,-14.7,2.9,2.0,1.2,1.2,-7.0,\n"
              "2,0,1000,,3.7,67.3,-3.4,7.1,4.8,3.0,3.0,9.5,\n"
              "5,0.1,1013.25,ice,,,,,,,,,An iced wet bulb cannot read above 0 °C\n"
              "5,0.1,1013.25,auto,,,,,,,,,Unknown wet-bulb state (water or ice)\n");
}

TEST(LogbookFormat, UnreadableInputNamesTheLine) {
    ConversionSettings english;
    english.language = MessageLanguage::English;
    struct Case {
        std::string input;
        const char* problem;
        std::uint64_t line;
        std::size_t maxRowBytes = CsvReader::DefaultMaxRecordBytes;
    };
    const char* const TooLong =
        "the row is longer than allowed (64 bytes or 4 cells; see --max-row-bytes)";
    for (const Case& c : {
             Case{"date,twet,p\n1,2,3\n", "no column for the dry-bulb reading (tdry or сух)", 1},
             Case{"\n\nсух;мокър;date\n",
                  "no column for the pressure (p or налягане) or the "
                  "altitude (h or височина)",
                  3},
             Case{"tdry,twet,P,Tdry\n", "two columns for the dry-bulb reading (tdry or сух)", 1},
             // A quote left open runs on until the limit stops it, and so does a long line.
             Case{"tdry,twet,p\n1,1,700\n\"2,1,700\n" + std::string(70, '3') + "\n", TooLong, 3,
                  64},
             Case{"tdry,twet,p\n1,1,700\n" + std::string(65, ' ') + "\n", TooLong, 3, 64},
             Case{"tdry,twet,p,a,b\n", TooLong, 1, 64},
         }) {
        english.maxRowBytes = c.maxRowBytes;
        const ConvertedText converted = ConvertText(c.input, english);
        ASSERT_TRUE(converted.report.inputError) << c.input;
        EXPECT_EQ(*converted.report.inputError, c.problem);
        EXPECT_EQ(converted.report.inputErrorLine, c.line) << c.input;
    }
}

TEST(LogbookFormat, BadRowsAreCopiedWithWhatIsWrongAndTheRunGoesOn) {
    ConversionSettings english;
    english.language = MessageLanguage::English;
    // Decimal commas between commas, text after a closing quote, a short row, and a quote
    // left open to the end, which ends with its line so that the row after it still counts.
    const ConvertedText converted = ConvertText("n,tdry,twet,p\n"
                                                "1,20.5,18.3,981.1\n"
                                                "2,20,5,18,3,981\n"
                                                "\"3\"x,20.5,18.3,981.1\n"
                                                "4,20.5,18.3\n"
                                                "5,\"20.5,18.3,981.1\n"
                                                "6,20.5,18.3,981.1\n",
                                                english);
    EXPECT_EQ(converted.output,
              "n,tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],error\n"
              "1,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\n"
              "2,20,5,18,3,981,,,,,,\"the row has 6 cells, the header 4; a decimal comma split a "
              "number: save the file with ; or use a point\"\n"
              "3x,20.5,18.3,981.1,,,,,,text after the closing quote of a field\n"
              "4,20.5,18.3,,,,,,,\"the row has 3 cells, the header 4\"\n"
              "5,\"20.5,18.3,981.1\",,,,,,,,a quoted field is not closed\n"
              "6,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\n");
    EXPECT_FALSE(converted.report.inputError);
    EXPECT_EQ(converted.report.rows, 6u);
    EXPECT_EQ(converted.report.failedRows, 4u);
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes += static_cast<char>(bigEndian ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}

// Excel opens a table in the encoding it wrote: each comes back as it went in.
TEST(LogbookFormat, ExcelFilesComeBackInTheEncodingTheyCameIn) {
    // "CSV (разделен със запетая)" of a Bulgarian Excel: semicolons in Windows-1251.
    const std::string windows1251Header =
        "\xC4\xE0\xF2\xE0;\xD1\xF3\xF5;\xCC\xEE\xEA\xFA\xF0;\xCD\xE0\xEB\xFF\xE3\xE0\xED\xE5";
    const std::string rows = "\r\n01.05.2024;20,5;18,3;981,1\r\n";
    const ConvertedText guessed = ConvertText(windows1251Header + rows);
    EXPECT_TRUE(guessed.report.guessedWindows1251);
    EXPECT_EQ(guessed.output, windows1251Header +
                                  ";F [g/m3];RH [%];Td [\xB0"
                                  "C];E [hPa];\xE5 [hPa];\xE3\xF0\xE5\xF8\xEA\xE0\r\n"
                                  "01.05.2024;20,5;18,3;981,1;14,3;81,0;17,1;24,2;19,6;\r\n");
    ConversionSettings asUtf8;
    asUtf8.outputEncoding = TextEncoding::Utf8;
    EXPECT_EQ(ConvertText(windows1251Header + rows, asUtf8).output,
              "Дата;Сух;Мокър;Налягане;F [g/m3];RH [%];Td [°C];E [hPa];е [hPa];грешка"
              "\r\n01.05.2024;20,5;18,3;981,1;14,3;81,0;17,1;24,2;19,6;\r\n");

    // "Unicode текст" is UTF-16LE with a byte-order mark, tabs between cells; big-endian
    // comes back as Excel writes UTF-16.
    const std::u16string logbook = u"\uFEFFсух\tмокър\tp\r\n20,5\t18,3\t981,1\r\n";
    const std::u16string results = u"\uFEFFсух\tмокър\tp\tF [g/m3]\tRH [%]\tTd [°C]\tE [hPa]\t"
                                   u"е [hPa]\tгрешка\r\n20,5\t18,3\t981,1\t14,3\t81,0\t17,1\t"
                                   u"24,2\t19,6\t\r\n";
    EXPECT_EQ(ConvertText(Utf16(logbook, false)).output, Utf16(results, false));
    EXPECT_EQ(ConvertText(Utf16(logbook, true)).output, Utf16(results, false));
    ConversionSettings unicodeBack;
    unicodeBack.outputEncoding = TextEncoding::Utf16Le;
    EXPECT_EQ(ConvertText(windows1251Header + rows, unicodeBack).output.substr(0, 10),
              Utf16(u"\uFEFFДата", false));

    // UTF-8 keeps its mark, or its lack of one.
    const std::string utf8 = "сух,мокър,p\n20.5,18.3,981.1\n";
    const std::string utf8Results = "сух,мокър,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка\n"
                                    "20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\n";
    EXPECT_EQ(ConvertText("\xEF\xBB\xBF" + utf8).output, "\xEF\xBB\xBF" + utf8Results);
    EXPECT_EQ(ConvertText(utf8).output, utf8Results);
}

TEST(LogbookFormat, HeaderEndingAtTheFirstBufferEdgeKeepsItsCrlfAndTheLogbookItsErrorColumn) {
    // The header's '\r' is the last byte of the first 64 KiB read, its '\n' the first of
    // the next.
    const std::string header = "tdry,twet,p," + std::string((1 << 16) - 13, 'n') + "\r\n";
    const ConvertedText edge = ConvertText(header + "20.5,18.3,981.1,x\r\n");
    EXPECT_TRUE(
        edge.output.ends_with(",грешка\r\n20.5,18.3,981.1,x,14.3,81.0,17.1,24.2,19.6,\r\n"));

    // A logbook's own error column, or a table of ours read again in either language.
    const ConvertedText own = ConvertText("tdry,twet,p,Error\n20.5,18.3,981.1,wet cloth dry\n");
    EXPECT_EQ(own.output,
              "tdry,twet,p,Error,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка (zorvel)\n"
              "20.5,18.3,981.1,wet cloth dry,14.3,81.0,17.1,24.2,19.6,\n");
    ConversionSettings english;
    english.language = MessageLanguage::English;
    EXPECT_TRUE(
        ConvertText("tdry,twet,p,Грешка\n", english).output.ends_with(",е [hPa],error (zorvel)\n"));
    EXPECT_TRUE(ConvertText("tdry,twet,p\n", english).output.ends_with(",е [hPa],error\n"));
}

TEST(LogbookFormat, ExtendedQuantitiesMatchPublishedValues) {
    // Moist air at 1013.25 hPa, saturated at 20 °C and 30 °C (saturation pressures 23.39
    // and 42.47 hPa): humidity ratio 14.76 and 27.33 g/kg, enthalpy 57.55 and 100.0 kJ/kg
    // in the psychrometric tables of the ASHRAE Handbook - Fundamentals. The simple
    // formulas stay within a few tenths of them.
    const MoistAirExtras at20 = ComputeMoistAirExtras(23.39, 1013.25, 20);
    EXPECT_NEAR(at20.mixingRatio, 14.76, 0.1);
    EXPECT_NEAR(at20.enthalpy, 57.55, 0.3);
    const MoistAirExtras at30 = ComputeMoistAirExtras(42.47, 1013.25, 30);
    EXPECT_NEAR(at30.mixingRatio, 27.33, 0.15);
    EXPECT_NEAR(at30.enthalpy, 100.0, 0.5);
    // q = r / (1 + r): the same vapour per kilogram of moist air instead of dry air.
    EXPECT_NEAR(at30.specificHumidity, at30.mixingRatio / (1 + at30.mixingRatio / 1000), 1e-9);

    // Through a row: 20 °C at 50 % relative humidity holds about 7.3 g/kg.
    ConversionSettings extended;
    extended.extended = true;
    const ConvertedText converted = ConvertText("tdry,twet,p\n20,13.95,1013.25\n", extended);
    EXPECT_EQ(converted.output, "tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],r [g/kg],"
                                "q [g/kg],h [kJ/kg],грешка\n"
                                "20,13.95,1013.25,8.6,50.0,9.3,23.4,11.7,7.3,7.2,38.6,\n");
}

} // namespace
