// A logbook row gives exactly what the calculator window would show for the same three
// texts, unit and psychrometer: the batch route against the window's own sequence of
// ReadInputs, ComputeHumidity, the impossible-readings check and FormatDecimal.
#include "batch/csv_reader.h"
#include "calc/humidity_model.h"
#include "calc/input_reading.h"
#include "calc/result_presentation.h"
#include "tests/batch/conversion_probe.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct UnitCell {
    const char* text;
    BarometerUnit unit;
};
struct TypeCell {
    const char* text;
    PsychrometerType type;
};

// An empty cell takes the default the test sets (mmHg, non-aspirated).
constexpr std::array<UnitCell, 8> UnitCells{{{"hPa", BarometerUnit::Hpa},
                                             {"MBAR", BarometerUnit::Mbar},
                                             {"mmHg", BarometerUnit::Mmhg},
                                             {"m", BarometerUnit::Altitude},
                                             {" М ", BarometerUnit::Altitude},
                                             {"мбар", BarometerUnit::Mbar},
                                             {"", BarometerUnit::Mmhg},
                                             {"hpa", BarometerUnit::Hpa}}};
constexpr std::array<TypeCell, 7> TypeCells{{{"aspirated", PsychrometerType::Aspirated},
                                             {"Non-Aspirated", PsychrometerType::NonAspirated},
                                             {"1", PsychrometerType::Aspirated},
                                             {"2", PsychrometerType::NonAspirated},
                                             {"С АСПИРАЦИЯ", PsychrometerType::Aspirated},
                                             {"без аспирация", PsychrometerType::NonAspirated},
                                             {"", PsychrometerType::NonAspirated}}};

// Texts a person or a spreadsheet might leave in a reading cell.
constexpr std::array<const char*, 14> OddTexts = {"",    "abc",       "20,5", "20.5 abc", "  12",
                                                  "1e1", "+Infinity", "NaN",  "\"7\"",    "5\n6",
                                                  "-0",  ".5",        "$BB8", "1500.5"};

class RowMaker {
  public:
    explicit RowMaker(unsigned seed) : random_(seed) {}

    std::string Number(double low, double high) {
        char text[32];
        const int decimals = Pick(4);
        std::snprintf(text, sizeof text, "%.*f", decimals,
                      std::uniform_real_distribution<double>(low, high)(random_));
        return text;
    }
    std::string Reading(double low, double high) {
        return Pick(10) == 0 ? OddTexts[Pick(OddTexts.size())] : Number(low, high);
    }
    std::string Pressure(BarometerUnit unit) {
        switch (unit) {
        case BarometerUnit::Mmhg:
            return Reading(470, 880);
        case BarometerUnit::Altitude:
            return Reading(-50, 3050);
        default:
            return Reading(620, 1170);
        }
    }
    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

  private:
    std::mt19937 random_;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

struct Row {
    std::vector<std::string> cells; // unit, type, tdry, twet, p, note
    BarometerUnit unit;
    PsychrometerType type;
};

// The window's route for one row: the result texts and the message, as in the output.
std::vector<std::string> WindowCells(const Row& row) {
    const ReadOutcome outcome = ReadInputs(row.cells[4], row.cells[2], row.cells[3], row.unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        return {"", "", "", "", "", *message};
    }
    const auto& in = std::get<InputReadings>(outcome);
    const HumidityResult r = ComputeHumidity(in.dryBulb, in.wetBulb, in.pressure, row.type);
    if (!IsPossibleReading(r)) {
        return {"", "", "",
                "", "", "Има грешка при въвеждането на стойностите на сухия и мокрия термометър"};
    }
    return {FormatDecimal(r.absoluteHumidity, 1), FormatDecimal(r.relativeHumidity, 1),
            FormatDecimal(r.dewPoint, 1),         FormatDecimal(r.saturationPressure, 1),
            FormatDecimal(r.vapourPressure, 1),   ""};
}

TEST(BatchAgreement, TenThousandRowsMatchTheWindowCellForCell) {
    RowMaker maker(20240501);
    std::vector<Row> rows;
    std::string logbook = "unit,type,Tdry,TWET,p,note\n";
    for (int i = 0; i < 10'000; ++i) {
        const UnitCell& unit = UnitCells[maker.Pick(UnitCells.size())];
        const TypeCell& type = TypeCells[maker.Pick(TypeCells.size())];
        const std::string dry = maker.Reading(-35, 55);
        // Mostly a wet bulb a little below the dry one, sometimes far below or above it.
        const std::string wet =
            maker.Pick(4) == 0 ? maker.Reading(-35, 55)
                               : maker.Number(std::atof(dry.c_str()) - 12, std::atof(dry.c_str()));
        Row row{{unit.text, type.text, dry, wet, maker.Pressure(unit.unit), "n;\"" + dry + ","},
                unit.unit,
                type.type};
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            logbook += (c > 0 ? "," : "") + Quoted(row.cells[c]);
        }
        logbook += "\n";
        rows.push_back(std::move(row));
    }
    ConversionSettings settings;
    settings.unit = BarometerUnit::Mmhg;
    settings.type = PsychrometerType::NonAspirated;
    const ConvertedText converted = ConvertText(logbook, settings);
    ASSERT_FALSE(converted.report.inputError);
    EXPECT_EQ(converted.report.rows, rows.size());

    const ScratchStream out(converted.output);
    ASSERT_NE(out.get(), nullptr);
    DecodedInput decoded(out.get(), TextEncoding::Utf8);
    CsvReader reader(decoded);
    std::vector<std::string> fields;
    ASSERT_EQ(reader.Next(fields), RecordStatus::Record);
    EXPECT_EQ(fields.size(), 12u);
    std::size_t computed = 0;
    for (const Row& row : rows) {
        ASSERT_EQ(reader.Next(fields), RecordStatus::Record);
        ASSERT_EQ(fields.size(), 12u);
        std::vector<std::string> expected = row.cells;
        const std::vector<std::string> window = WindowCells(row);
        expected.insert(expected.end(), window.begin(), window.end());
        ASSERT_EQ(fields, expected) << "row " << (&row - rows.data()) + 1;
        computed += window.back().empty() ? 1 : 0;
    }
    EXPECT_EQ(reader.Next(fields), RecordStatus::End);
    // Both kinds of row are there in numbers, or the comparison proves little.
    EXPECT_GT(computed, 2'000u);
    EXPECT_GT(rows.size() - computed, 2'000u);
    EXPECT_EQ(converted.report.failedRows, rows.size() - computed);
}

} // namespace
