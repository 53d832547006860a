#include "calc/input_reading.h"

#include "calc/reading_text.h"
#include "calc/standard_pressure.h"

namespace {

// Bounds and conversion factors take part as single-precision values.
constexpr float LowestPressure = 640.0f;
constexpr float HighestPressure = 1150.0f;
constexpr float LowestTemperature = -30.0f;
constexpr float HighestTemperature = 50.0f;
constexpr std::int64_t LowestAltitude = 0;
constexpr std::int64_t HighestAltitude = 3000;
constexpr double HpaPerMmhg = 1.33f;
constexpr double MetresPerMmhg = 11.0f;

constexpr std::string_view NoPressureMessage = "Няма данни за атмосферно налягане";
constexpr std::string_view AltitudeMessage = "Има грешка при надморската височина";
constexpr std::string_view PressureMessage = "Има грешка при стойността на налягането";
constexpr std::string_view NoDryBulbMessage = "Няма данни за сухия термометър";
constexpr std::string_view DryBulbMessage = "Има грешка при стойността на сухия термометър";
constexpr std::string_view NoWetBulbMessage = "Няма данни за мокрия термометър";
constexpr std::string_view WetBulbMessage = "Има грешка при стойността на мокрия термометър";

// Written so that a NaN falls outside every range.
bool Within(float value, float lowest, float highest) {
    return value >= lowest && value <= highest;
}

// The text alone decides the altitude check; `pressure` is left unset when it fails.
bool ToHectopascals(std::string_view text, BarometerUnit unit, float& pressure) {
    switch (unit) {
    case BarometerUnit::Mmhg:
        pressure = static_cast<float>(ParseDecimal(text) * HpaPerMmhg);
        return true;
    case BarometerUnit::Altitude: {
        const std::int64_t metres = ParseInteger(text);
        if (metres < LowestAltitude || metres > HighestAltitude) {
            return false;
        }
        // The check reads the text as an integer but the conversion as a decimal number.
        pressure = static_cast<float>(double{StandardPressure} -
                                      ((ParseDecimal(text) / MetresPerMmhg) * HpaPerMmhg));
        return true;
    }
    case BarometerUnit::Hpa:
    case BarometerUnit::Mbar:
        break;
    }
    pressure = ParseDecimal(text);
    return true;
}

} // namespace

ReadOutcome ReadInputs(std::string_view pressureText, std::string_view dryBulbText,
                       std::string_view wetBulbText, BarometerUnit unit) {
    InputReadings readings;
    readings.pressureText = pressureText;
    readings.dryBulbText = dryBulbText;
    readings.wetBulbText = wetBulbText;

    // Each text must hold a proper reading before its value is checked: white space only
    // counts as no data, anything but one number (and a unit text) fails the value check.
    const ReadingTextForm pressureForm = ClassifyReadingText(pressureText);
    if (pressureForm == ReadingTextForm::Blank) {
        return std::string(NoPressureMessage);
    }
    if (pressureForm == ReadingTextForm::NotWellFormed) {
        return std::string(unit == BarometerUnit::Altitude ? AltitudeMessage : PressureMessage);
    }
    if (!ToHectopascals(pressureText, unit, readings.pressure)) {
        return std::string(AltitudeMessage);
    }
    if (!Within(readings.pressure, LowestPressure, HighestPressure)) {
        return std::string(PressureMessage);
    }

    const ReadingTextForm dryBulbForm = ClassifyReadingText(dryBulbText);
    if (dryBulbForm == ReadingTextForm::Blank) {
        return std::string(NoDryBulbMessage);
    }
    readings.dryBulb = ParseDecimal(dryBulbText);
    if (dryBulbForm == ReadingTextForm::NotWellFormed ||
        !Within(readings.dryBulb, LowestTemperature, HighestTemperature)) {
        return std::string(DryBulbMessage);
    }

    const ReadingTextForm wetBulbForm = ClassifyReadingText(wetBulbText);
    if (wetBulbForm == ReadingTextForm::Blank) {
        return std::string(NoWetBulbMessage);
    }
    readings.wetBulb = ParseDecimal(wetBulbText);
    if (wetBulbForm == ReadingTextForm::NotWellFormed ||
        !Within(readings.wetBulb, LowestTemperature, HighestTemperature)) {
        return std::string(WetBulbMessage);
    }

    if (readings.dryBulb < readings.wetBulb) {
        return std::string(ImpossibleReadingsMessage);
    }
    return readings;
}

InputField FieldOfMessage(std::string_view message) {
    if (message == NoPressureMessage || message == AltitudeMessage || message == PressureMessage) {
        return InputField::Pressure;
    }
    if (message == NoDryBulbMessage || message == DryBulbMessage) {
        return InputField::DryBulb;
    }
    return InputField::WetBulb;
}
