// What a logbook may look like on the way in (spreadsheet exports in two locales, quoting,
// header names in two languages) and what is written back, row and column for row and
// column; and the extended quantities against published tables.
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
              "Дата; СУХ ;Мокър;НАЛЯГАНЕ;Вид;F [g/m3];RH [%];Td [°C];E [hPa];е [hPa];error\r\n"
              "01.05.2024;20,5;18,3;981,1;без аспирация;13.2;75.2;15.9;24.2;18.2;\r\n"
              "02.05.2024;20.5;18.3;981.1;;14.3;81.0;17.1;24.2;19.6;\r\n");
    EXPECT_EQ(converted.report.rows, 2u);
    EXPECT_FALSE(converted.report.inputError);
}

TEST(LogbookFormat, QuotedFieldsAndOtherColumnsPassThroughUnchanged) {
    // With commas between fields a comma never counts as a decimal point; a row shorter
    // than the header lacks its last cells, one with empty cells beyond it is accepted.
    const ConvertedText converted =
        ConvertText("station,\"tdry\",twet,\"p\",note\n"
                    "\"Sofia, NIMH\",20.5,18.3,981.1,\"said \"\"dry\"\"\nand windy\"\n"
                    "Rila\t2,10,10\n"
                    "Vitosha,20.5,18.3,981.1,,,\n");
    EXPECT_EQ(converted.output,
              "station,tdry,twet,p,note,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],error\n"
              "\"Sofia, NIMH\",20.5,18.3,981.1,\"said \"\"dry\"\"\nand windy\",14.3,81.0,17.1,"
              "24.2,19.6,\n"
              "Rila\t2,10,10,,,,,,,,Няма данни за атмосферно налягане\n"
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
                                "20.5\t18.3\t1500\t\t13.5\t77.0\t16.3\t24.2\t18.6\t\n"
                                "20.5\t18.3\t1500\tmmHg\t\t\t\t\t\tError in the pressure value\n"
                                "20.5\t18.3\t1500\tinches\t\t\t\t\t\tUnknown barometer unit\n"
                                "20.5\t25\t1500\t\t\t\t\t\t\tError in the dry-bulb and "
                                "wet-bulb readings taken together\n"
                                "30\t10\t0\tm\t\t\t\t\t\tError in the dry-bulb and wet-bulb "
                                "readings taken together\n");
    EXPECT_EQ(converted.report.failedRows, 4u);
}

TEST(LogbookFormat, UnreadableInputNamesTheLine) {
    ConversionSettings english;
    english.language = MessageLanguage::English;
    struct Case {
        const char* input;
        const char* problem;
        std::uint64_t line;
    };
    for (const Case& c : {
             Case{"date,twet,p\n1,2,3\n", "no column for the dry-bulb reading (tdry or сух)", 1},
             Case{"\n\nсух;мокър;date\n",
                  "no column for the pressure (p or налягане) or the "
                  "altitude (h or височина)",
                  3},
             Case{"tdry,twet,P,Tdry\n", "two columns for the dry-bulb reading (tdry or сух)", 1},
             Case{"tdry,twet,p\n1,1,700\n\"2,1,700\n3,3,700\n", "a quoted field is not closed", 3},
             Case{"tdry,twet,p\n1,1,700\n2,2,700,x\n", "the row has more fields than the header",
                  3},
         }) {
        const ConvertedText converted = ConvertText(c.input, english);
        ASSERT_TRUE(converted.report.inputError) << c.input;
        EXPECT_EQ(*converted.report.inputError, c.problem);
        EXPECT_EQ(converted.report.inputErrorLine, c.line) << c.input;
    }
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
                                "q [g/kg],h [kJ/kg],error\n"
                                "20,13.95,1013.25,8.6,50.0,9.3,23.4,11.7,7.3,7.2,38.6,\n");
}

} // namespace
