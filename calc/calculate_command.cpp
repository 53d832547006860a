#include "calc/calculate_command.h"

#include "calc/result_presentation.h"
#include "ui/toolkit/toolkit.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace {

constexpr std::string_view ProblemCaption = "Проблем!";
constexpr std::string_view TemperatureUnit = "   [°C]";
constexpr std::string_view ImpossibleReadings =
    "Има грешка при въвеждането на стойностите на сухия и мокрия термометър";

constexpr int DryBulbField = 1;
constexpr int WetBulbField = 2;
constexpr int PressureField = 3;

std::string_view PressureUnitText(BarometerUnit unit) {
    switch (unit) {
    case BarometerUnit::Hpa:
        return "  [hPa]";
    case BarometerUnit::Mmhg:
        return "  [mmHg]";
    case BarometerUnit::Altitude:
        return "  [m]";
    case BarometerUnit::Mbar:
        return "  [mB]";
    }
    return {};
}

// A field gets its unit text only on the first press after it was retyped; a field left
// alone already carries it, and a press that ended in a message does not count as the one.
void WriteBack(int fieldId, unsigned pressCount, const std::string& text,
               std::string_view unitText) {
    if (pressCount == 1) {
        toolkit::SetControlText(fieldId, text + std::string(unitText));
    } else {
        toolkit::SetControlText(fieldId, text);
    }
}

void ShowResult(int fieldId, float value, std::string_view suffix) {
    toolkit::SetControlText(fieldId, FormatDecimal(value, 1) + std::string(suffix));
}

} // namespace

bool CalculatePressed(InputState& state, BarometerUnit unit, PsychrometerType type) {
    for (unsigned& count : state.pressCount) {
        ++count;
    }
    if (state.resultsCurrent) {
        return false;
    }
    const std::string pressureText = toolkit::GetControlText(PressureField);
    const std::string dryBulbText = toolkit::GetControlText(DryBulbField);
    const std::string wetBulbText = toolkit::GetControlText(WetBulbField);
    const ReadOutcome outcome = ReadInputs(pressureText, dryBulbText, wetBulbText, unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        toolkit::MessageBox(ProblemCaption, *message);
        return false;
    }
    const auto& readings = std::get<InputReadings>(outcome);
    const HumidityResult result =
        ComputeHumidity(readings.dryBulb, readings.wetBulb, readings.pressure, type);
    // The wet bulb too far below the dry bulb for any air (е ≤ 0, so RH ≤ 0 and no dew
    // point): refused as a failed check is, with nothing written.
    if (!IsPossibleReading(result)) {
        toolkit::MessageBox(ProblemCaption, ImpossibleReadings);
        return false;
    }
    PresentResults(state, readings, result, unit);
    return true;
}

void PresentResults(InputState& state, const InputReadings& readings, const HumidityResult& result,
                    BarometerUnit unit) {
    WriteBack(PressureField, state.pressCount[2], readings.pressureText, PressureUnitText(unit));
    WriteBack(DryBulbField, state.pressCount[0], readings.dryBulbText, TemperatureUnit);
    WriteBack(WetBulbField, state.pressCount[1], readings.wetBulbText, TemperatureUnit);

    ShowResult(4, result.absoluteHumidity, " [g/m3]");
    ShowResult(5, result.relativeHumidity, " [%]");
    ShowResult(6, result.dewPoint, "  [°C]");
    ShowResult(7, result.saturationPressure, " [hPa]");
    ShowResult(8, result.vapourPressure, " [hPa]");

    state.resultsCurrent = true;
    state.emptiedOnEntry = {false, false, false};
}
