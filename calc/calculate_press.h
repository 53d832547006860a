// The Calculate press over the texts of the three input fields, for every front end alike
// (the window, the web page): the checks, the computation and the texts it writes back.
#pragma once

#include "calc/humidity_model.h"
#include "calc/humidity_route.h"
#include "calc/input_reading.h"
#include "calc/input_state.h"
#include "calc/result_presentation.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

// A press that went as far as showing results, with what it showed and how it was asked.
struct AcceptedCalculation {
    InputReadings readings;
    HumidityResult result;
    BarometerUnit unit = BarometerUnit::Hpa;
    PsychrometerType type = PsychrometerType::Aspirated;
    WetBulbCover cover = WetBulbCover::Water;
};

// A press refused with a "Проблем!" box: its text, and the field the focus goes back to.
struct PressRefusal {
    std::string message;
    InputField field = InputField::Pressure;
};

// An accepted press and the texts that now stand in the fields.
struct PressResults {
    AcceptedCalculation calculation;
    std::array<std::string, 3> inputTexts;  // indexed by InputField
    std::array<std::string, 5> resultTexts; // in the order of ResultQuantity
};

// A press while the results are current does nothing at all.
using PressOutcome = std::variant<std::monostate, PressRefusal, PressResults>;

// Counts the press, checks and computes; on success marks the results current and the
// fields not yet entered.
PressOutcome PressCalculate(InputState& state, std::string_view pressureText,
                            std::string_view dryBulbText, std::string_view wetBulbText,
                            BarometerUnit unit, PsychrometerType type, WetBulbCover cover);

// The user entered `field`: true when its text is to be emptied (the first entry since
// the last result), with the field's press count restarted and the results no longer
// current.
bool EnterField(InputState& state, InputField field);

// What a field's text becomes on write-back: the unit text is appended only on the first
// press after the field was retyped, so that it is never doubled.
std::string WrittenBackText(unsigned pressCount, std::string_view text, std::string_view unitText);

// The unit texts of write-back: the pressure's of each unit, the temperatures' one.
std::string_view PressureUnitText(BarometerUnit unit);
inline constexpr std::string_view TemperatureUnitText = "   [°C]";
