#include "calc/input_reading.h"

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
constexpr double SeaLevelPressure = 1013.25f;

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
        pressure = static_cast<float>(SeaLevelPressure -
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

    if (pressureText.empty()) {
        return std::string("Няма данни за атмосферно налягане");
    }
    if (!ToHectopascals(pressureText, unit, readings.pressure)) {
        return std::string("Има грешка при надморската височина");
    }
    if (!Within(readings.pressure, LowestPressure, HighestPressure)) {
        return std::string("Има грешка при стойността на налягането");
    }

    if (dryBulbText.empty()) {
        return std::string("Няма данни за сухия термометър");
    }
    readings.dryBulb = ParseDecimal(dryBulbText);
    if (!Within(readings.dryBulb, LowestTemperature, HighestTemperature)) {
        return std::string("Има грешка при стойността на сухия термометър");
    }

    if (wetBulbText.empty()) {
        return std::string("Няма данни за мокрия термометър");
    }
    readings.wetBulb = ParseDecimal(wetBulbText);
    if (!Within(readings.wetBulb, LowestTemperature, HighestTemperature)) {
        return std::string("Има грешка при стойността на мокрия термометър");
    }

    if (readings.dryBulb < readings.wetBulb) {
        return std::string(
            "Има грешка при въвеждането на стойностите на сухия и мокрия термометър");
    }
    return readings;
}
