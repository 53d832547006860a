// Reading and checking the three input texts of the calculator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

enum class BarometerUnit : std::uint8_t {
    Hpa = 1,
    Mmhg = 2,
    Altitude = 3,
    Mbar = 4,
};

struct InputReadings {
    float dryBulb = 0;  // °C
    float wetBulb = 0;  // °C
    float pressure = 0; // hPa, converted from the selected unit
    std::string dryBulbText;
    std::string wetBulbText;
    std::string pressureText;
};

// The message for readings no air can give: the wet bulb above the dry one, or so far
// below it that the vapour pressure comes out at zero or less.
inline constexpr std::string_view ImpossibleReadingsMessage =
    "Има грешка при въвеждането на стойностите на сухия и мокрия термометър";

// The readings, or the message of the first check that failed.
using ReadOutcome = std::variant<InputReadings, std::string>;

ReadOutcome ReadInputs(std::string_view pressureText, std::string_view dryBulbText,
                       std::string_view wetBulbText, BarometerUnit unit);

// The input field a message of ReadInputs (or ImpossibleReadingsMessage) is about; the
// values index InputState's per-field arrays. The order and impossible-readings messages
// are about the wet bulb, the reading that is out of step with the other.
enum class InputField : std::uint8_t { DryBulb = 0, WetBulb = 1, Pressure = 2 };
InputField FieldOfMessage(std::string_view message);

// '.' is the decimal point whatever the process locale.
float ParseDecimal(std::string_view text);
std::int64_t ParseInteger(std::string_view text);
