// A weather station's logbook: thermometer certificates, the psychrometer's own coefficient,
// SYNOP groups, and the wet bulb a hygrometer's RH asks for.
#include "batch/corrections_file.h"
#include "batch/shown_tenths.h"
#include "batch/synop_groups.h"
#include "batch/wet_bulb_search.h"
#include "calc/result_presentation.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr auto Dry = Thermometer::Dry;
constexpr auto Wet = Thermometer::Wet;

// The lines of a table, without their ends.
std::vector<std::string> Lines(const std::string& table) {
    std::vector<std::string> lines;
    std::istringstream in(table);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    }
    return lines;
}

// What follows the first `count` cells of a line with ';' between them.
std::string AfterCells(std::string line, int count) {
    for (int cell = 0; cell < count; ++cell) {
        line.erase(0, line.find(';') + 1);
    }
    return line;
}

TEST(ThermometerCorrections, LinearBetweenReadingsConstantBeyondAndByTheDay) {
    ThermometerCorrections corrections;
    // A certificate for all time, and one from 1 June 2024 on.
    ASSERT_TRUE(corrections.Add(Dry, std::nullopt, {20, 0.2}));
    ASSERT_TRUE(corrections.Add(Dry, std::nullopt, {0, -0.2}));
    ASSERT_TRUE(corrections.Add(Dry, std::nullopt, {40, 0.0}));
    ASSERT_TRUE(corrections.Add(Dry, 20240601, {10, 0.3}));
    EXPECT_FALSE(corrections.Add(Dry, std::nullopt, {20, 0.1})); // one reading, two corrections
    const std::optional<std::int32_t> may = 20240531;
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 20, may), 0.2);
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 0, may), -0.2);
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 5, may), -0.1); // a quarter of the way up
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 30, may), 0.1);
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, -25, may), -0.2);
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 45, may), 0.0);
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 5, 20240601), 0.3);
    EXPECT_DOUBLE_EQ(*corrections.For(Dry, 5, std::nullopt), -0.1);
    EXPECT_DOUBLE_EQ(*corrections.For(Wet, 5, may), 0.0); // no certificate, nothing to add
    // Only dated certificates: nothing holds before the first, nor for a row without a date.
    ThermometerCorrections dated;
    ASSERT_TRUE(dated.Add(Wet, 20240601, {0, 0.1}));
    ASSERT_TRUE(dated.Add(Wet, 20240701, {0, 0.2}));
    EXPECT_FALSE(dated.For(Wet, 5, may));
    EXPECT_FALSE(dated.For(Wet, 5, std::nullopt));
    EXPECT_DOUBLE_EQ(*dated.For(Wet, 5, 20240630), 0.1);
    EXPECT_DOUBLE_EQ(*dated.For(Wet, 5, 20250101), 0.2);
}

ThermometerCorrections Certificates(const std::string& text) {
    const ScratchStream file(text);
    auto read = ReadCorrectionsFile(file.get(), MessageLanguage::English);
    if (const auto* problem = std::get_if<CorrectionsFileProblem>(&read)) {
        ADD_FAILURE() << problem->line << ": " << problem->text;
        return {};
    }
    return std::get<ThermometerCorrections>(read);
}

TEST(StationLogbook, ReadingsAreCorrectedBeforeAnythingAndKeptOnRecord) {
    ConversionSettings settings;
    settings.corrections = Certificates("Термометър;Показание;Поправка;От\r\n"
                                        "сух;0;-0,2;\r\n"
                                        "сух;20;0,2;\r\n"
                                        "мокър;0;0,1;\r\n"
                                        "WET;0;0,3;01.06.2024\r\n");
    // The last rows: a dry bulb corrected above the wet one, and a text that is no reading.
    const ConvertedText corrected = ConvertText("date;tdry;twet;p\n"
                                                "2024-05-31;10,0;8,0;1000\n"
                                                "2024-06-01; 15 [°C];8,0;1000\n"
                                                ";25;24;1000\n"
                                                "2024-06-02;-0,1;0;1000\n"
                                                "2024-06-02;x;8;1000\n",
                                                settings);
    // The same rows with the corrected readings written in.
    const std::vector<std::string> plain = Lines(ConvertText("tdry;twet;p\n"
                                                             "10.00;8.10;1000\n"
                                                             "15.10;8.30;1000\n"
                                                             "25.20;24.10;1000\n"
                                                             "-0.20;0.30;1000\n"
                                                             "x;8.30;1000\n")
                                                     .output);
    const std::vector<std::string> lines = Lines(corrected.output);
    ASSERT_EQ(lines.size(), 6u) << corrected.output;
    ASSERT_EQ(plain.size(), 6u);
    EXPECT_EQ(lines[0], "date;tdry;twet;p;tdry (поправен);twet (поправен);F [g/m3];RH [%];"
                        "Td [°C];E [hPa];е [hPa];грешка");
    const char* const prefixes[] = {
        "2024-05-31;10,0;8,0;1000;10,00;8,10;", "2024-06-01; 15 [°C];8,0;1000;15,10;8,30;",
        ";25;24;1000;25,20;24,10;", "2024-06-02;-0,1;0;1000;-0,30;0,30;",
        "2024-06-02;x;8;1000;;8,30;"};
    for (std::size_t row = 0; row < 5; ++row) {
        // The plain row's results and error, after its three readings.
        EXPECT_EQ(lines[row + 1], prefixes[row] + AfterCells(plain[row + 1], 3)) << row;
    }
    EXPECT_EQ(corrected.report.failedRows, 2u);

    // A day before every certificate of the wet bulb: no correction to apply, a bad row.
    settings.language = MessageLanguage::English;
    settings.corrections = Certificates("thermometer,reading,correction,from\n"
                                        "wet,0,0.1,2024-06-01\n");
    EXPECT_EQ(ConvertText("date,tdry,twet,p\n2024-05-31,10,8,1000\n", settings).output,
              "date,tdry,twet,p,tdry (corrected),twet (corrected),F [g/m3],RH [%],Td [°C],"
              "E [hPa],е [hPa],error\n2024-05-31,10,8,1000,10.00,,,,,,,No certificate gives the "
              "wet bulb's corrections for this date\n");
}

TEST(StationLogbook, AMalformedCertificateFileIsRefusedAtItsFirstFault) {
    struct Case {
        std::string file;
        std::uint64_t line;
        const char* problem;
    };
    const std::string header = "thermometer,reading,correction,from\n";
    for (const Case& c : {
             Case{"", 1, "no header row"},
             Case{"thermometer,reading,note\n", 1, "no column correction (or поправка)"},
             Case{header, 1, "the file holds no correction"},
             Case{header + "dry,0,0.1,\ndry,20\n", 3, "the row has 2 cells, the header 4"},
             Case{header + "dry,0,0.1,\nair,20,0.1,\n", 3,
                  "unknown thermometer 'air' (dry or сух, wet or мокър)"},
             Case{header + "dry,20 °C,0.1,\n", 2,
                  "unrecognised number in the column reading (or "
                  "показание)"},
             Case{header + "dry,20,,\n", 2,
                  "unrecognised number in the column correction (or "
                  "поправка)"},
             Case{header + "dry,20,0.1,2024-06-31\n", 2,
                  "unrecognised date in the column from (or от) (YYYY-MM-DD or DD.MM.YYYY)"},
             Case{header + "wet,20,0.1,\nwet,30,0.1,\nwet,20,0.2,\n", 4,
                  "the reading has a correction in the same certificate already"},
         }) {
        const ScratchStream file(c.file);
        const auto read = ReadCorrectionsFile(file.get(), MessageLanguage::English);
        const auto* problem = std::get_if<CorrectionsFileProblem>(&read);
        ASSERT_NE(problem, nullptr) << c.file;
        EXPECT_EQ(problem->text, c.problem) << c.file;
        EXPECT_EQ(problem->line, c.line) << c.file;
    }
}

TEST(StationLogbook, OwnCoefficientTakesThePlaceOfTheTypesAndABadOneRefusesItsRow) {
    // How a coefficient changes е is the model's to prove; here, which coefficient a row takes.
    ConversionSettings settings;
    settings.language = MessageLanguage::English;
    settings.coefficient = 0.0015f; // for rows without a coefficient cell
    const std::vector<std::string> lines = Lines(ConvertText("tdry;twet;p;type;Коефициент\n"
                                                             "20,5;18,3;981,1;;0,000684\n"
                                                             "20,5;18,3;981,1;2;0,001328\n"
                                                             "20,5;18,3;981,1;1;\n"
                                                             "20,5;18,3;981,1;1;0,0015\n"
                                                             "20,5;18,3;981,1;;0,0021\n"
                                                             "20,5;18,3;981,1;;x\n",
                                                             settings)
                                                     .output);
    ASSERT_EQ(lines.size(), 7u);
    // The types' own A0 as the row's coefficient is the worked example itself.
    EXPECT_EQ(lines[1], "20,5;18,3;981,1;;0,000684;14,3;81,0;17,1;24,2;19,6;");
    EXPECT_EQ(lines[2], "20,5;18,3;981,1;2;0,001328;13,2;75,2;15,9;24,2;18,2;");
    EXPECT_EQ(AfterCells(lines[3], 5), AfterCells(lines[4], 5)) << "the option's coefficient";
    EXPECT_FALSE(lines[3].ends_with(";14,3;81,0;17,1;24,2;19,6;")) << lines[3];
    for (const std::size_t bad : {5, 6}) {
        EXPECT_TRUE(lines[bad].ends_with(";;;;;;Error in the psychrometer coefficient (0.0003 to "
                                         "0.0020)"))
            << lines[bad];
    }
}

TEST(SynopGroups, SignDigitThenTenthsOfADegreeInThreeDigits) {
    EXPECT_EQ(TemperatureGroup('1', 20.5f), "10205");
    EXPECT_EQ(TemperatureGroup('1', -3.4f), "11034");
    EXPECT_EQ(TemperatureGroup('2', 17.1f), "20171");
    EXPECT_EQ(TemperatureGroup('2', -15.9f), "21159");
    // What the table shows as −0.0 is zero, and zero is not below it; −0.05 shows as −0.1.
    EXPECT_EQ(TemperatureGroup('1', -0.04f), "10000");
    EXPECT_EQ(TemperatureGroup('1', -0.0f), "10000");
    EXPECT_EQ(TemperatureGroup('1', -0.05f), "11001");
    EXPECT_EQ(TemperatureGroup('2', -99.94f), "21999");
    EXPECT_EQ(TemperatureGroup('2', -99.95f), "21999"); // just above −99.95, shown −99.9
    EXPECT_EQ(TemperatureGroup('2', -99.96f), "");
    EXPECT_EQ(TemperatureGroup('2', NAN), "");
    // The tenths are those the table shows, sign of zero aside.
    for (float value = -60; value < 60; value += 0.01171875f) {
        std::string shown = FormatDecimal(value, 1);
        if (shown == "-0.0") {
            shown = "0.0";
        }
        ASSERT_EQ(TenthsText(ShownTenths(value)), shown) << value;
    }

    ConversionSettings synop;
    synop.synop = true;
    EXPECT_EQ(
        ConvertText("tdry,twet,p\n20.5,18.3,981.1\n-3.4,-3.9,1000\n20.5,25,981.1\n", synop).output,
        "tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],1snTTT,2snTdTdTd,грешка\n"
        "20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,10205,20171,\n"
        "-3.4,-3.9,1000,3.4,89.2,-4.9,4.8,4.3,11034,21049,\n"
        "20.5,25,981.1,,,,,,,,Има грешка при въвеждането на стойностите на сухия и мокрия "
        "термометър\n");
}

// RH of the calculator for a wet-bulb reading in tenths, or none when it refuses it or the
// reading lies outside the span searched.
std::optional<float> RelativeHumidityAt(float dryBulb, std::int32_t tenths, float pressure,
                                        PsychrometerType type) {
    const float wetBulb = static_cast<float>(tenths) / 10;
    if (wetBulb > dryBulb || wetBulb < -30 || wetBulb < dryBulb - 40) {
        return std::nullopt;
    }
    const HumidityResult r = ComputeHumidity(dryBulb, wetBulb, pressure, type);
    return IsPossibleReading(r) ? std::optional(r.relativeHumidity) : std::nullopt;
}

// How far the nearest of all readings the span holds is from `humidity`, by trying each.
std::optional<float> NearestByTryingAll(float dryBulb, float humidity, float pressure,
                                        PsychrometerType type) {
    std::optional<float> nearest;
    for (std::int32_t tenths = -300; tenths <= 500; ++tenths) {
        if (const auto at = RelativeHumidityAt(dryBulb, tenths, pressure, type)) {
            nearest = std::min(nearest.value_or(INFINITY), std::fabs(*at - humidity));
        }
    }
    return nearest;
}

TEST(WetBulbFromHumidity, TheReadingFoundIsTheNearestOverTheWholeRange) {
    std::size_t found = 0;
    std::size_t unreached = 0;
    for (const PsychrometerType type :
         {PsychrometerType::Aspirated, PsychrometerType::NonAspirated}) {
        for (float dryBulb = -30; dryBulb <= 50; dryBulb += 1.3f) {
            for (const float humidity : {1.0f, 4.5f, 12.0f, 30.0f, 55.5f, 80.0f, 97.3f, 100.0f}) {
                WetBulbQuestion question;
                question.readings.dryBulb = dryBulb;
                question.readings.pressure = 950;
                question.type = type;
                question.value = humidity;
                const std::optional<std::int32_t> tenths = FindWetBulbTenths(question);
                const std::optional<float> nearest =
                    NearestByTryingAll(dryBulb, humidity, 950, type);
                SCOPED_TRACE(testing::Message() << dryBulb << " °C, " << humidity << " %");
                if (!tenths) {
                    // Out of reach only below what the lowest reading the calculator takes
                    // gives (the wet bulb would have to go below −30 °C or reach no vapour
                    // at all), and not just by a rounding.
                    std::int32_t lowest = -300;
                    while (!RelativeHumidityAt(dryBulb, lowest, 950, type)) {
                        ++lowest;
                    }
                    EXPECT_GT(*RelativeHumidityAt(dryBulb, lowest, 950, type), humidity);
                    EXPECT_GT(*nearest, 0.3f);
                    ++unreached;
                    continue;
                }
                // Fed back as a reading, the wet bulb gives the RH nearest the one asked for.
                const std::optional<float> at = RelativeHumidityAt(dryBulb, *tenths, 950, type);
                ASSERT_TRUE(at && nearest) << *tenths;
                EXPECT_EQ(std::fabs(*at - humidity), *nearest) << *tenths;
                ++found;
            }
        }
    }
    EXPECT_GT(found, 700u);
    EXPECT_GT(unreached, 20u);
}

TEST(WetBulbFromHumidity, DewPointIceAndTheRowsItRefuses) {
    WetBulbQuestion question;
    question.readings.dryBulb = 20.5f;
    question.readings.pressure = 981.1f;
    question.given = GivenHumidity::DewPoint;
    question.value = 17.1f;
    EXPECT_EQ(FindWetBulbTenths(question), 183); // the worked example backwards
    question.value = 20.6f;
    EXPECT_FALSE(FindWetBulbTenths(question)) << "a dew point above the dry bulb";
    // Air saturated over ice is not saturated over water: an iced bulb gives at most about
    // 90 % at −10 °C.
    question.readings.dryBulb = -10;
    question.readings.pressure = 1013.25f;
    question.given = GivenHumidity::RelativeHumidity;
    question.bulb = BulbChoice::Ice;
    question.value = 61.7f;
    EXPECT_EQ(FindWetBulbTenths(question), -110);
    question.value = 95;
    EXPECT_FALSE(FindWetBulbTenths(question));
    question.bulb = BulbChoice::Water;
    const std::optional<std::int32_t> water = FindWetBulbTenths(question);
    ASSERT_TRUE(water);
    EXPECT_EQ(
        std::fabs(*RelativeHumidityAt(-10, *water, 1013.25f, PsychrometerType::Aspirated) - 95),
        NearestByTryingAll(-10, 95, 1013.25f, PsychrometerType::Aspirated));

    // Through the table, in Bulgarian and with decimal commas.
    const ConvertedText converted = ConvertText("tdry;ВЛАЖНОСТ;p;bulb\n"
                                                "20,5;81;981,1;\n"
                                                "-10;61,7;1013,25;лед\n"
                                                "20,5;;981,1;\n"
                                                "20,5;101;981,1;\n"
                                                "20,5;0;981,1;\n"
                                                "20,5;50;;\n");
    EXPECT_EQ(converted.output,
              "tdry;ВЛАЖНОСТ;p;bulb;twet (изчислен);F [g/m3];RH [%];Td [°C];E [hPa];е [hPa];"
              "грешка\n"
              "20,5;81;981,1;;18,3;14,3;81,0;17,1;24,2;19,6;\n"
              "-10;61,7;1013,25;лед;-11,0;1,4;61,7;-15,9;2,9;1,8;\n"
              "20,5;;981,1;;;;;;;;Няма данни за относителната влажност\n"
              "20,5;101;981,1;;;;;;;;Има грешка при стойността на относителната влажност (от 0 до "
              "100 %)\n"
              "20,5;0;981,1;;;;;;;;Никое показание на мокрия термометър от Tdry − 40 до Tdry не "
              "дава тази влажност\n"
              "20,5;50;;;;;;;;;Няма данни за атмосферно налягане\n");
    // A logbook that has a wet bulb keeps an rh column as its own.
    EXPECT_EQ(Lines(ConvertText("tdry,twet,rh,p\n20.5,18.3,50,981.1\n").output)[1],
              "20.5,18.3,50,981.1,14.3,81.0,17.1,24.2,19.6,");
}

} // namespace
