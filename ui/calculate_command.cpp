#include "ui/calculate_command.h"

#include "calc/input_reading.h"
#include "calc/result_presentation.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace {

constexpr std::string_view ProblemCaption = "Проблем!";
constexpr std::string_view TemperatureUnit = "   [°C]";
using enum ControlId;

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
void WriteBack(ControlId field, unsigned pressCount, const std::string& text,
               std::string_view unitText) {
    if (pressCount == 1) {
        toolkit::SetControlText(Id(field), text + std::string(unitText));
    } else {
        toolkit::SetControlText(Id(field), text);
    }
}

// The user sees what to correct and types over it at once.
void Refuse(std::string_view message) {
    toolkit::MessageBox(ProblemCaption, message);
    constexpr std::array<ControlId, 3> Fields{DryBulbField, WetBulbField, PressureField};
    toolkit::FocusControl(Id(Fields[static_cast<std::size_t>(FieldOfMessage(message))]));
}

void ShowResult(ControlId field, const std::string& text) {
    toolkit::SetControlText(Id(field), text);
}

} // namespace

std::optional<AcceptedCalculation> CalculatePressed(InputState& state, BarometerUnit unit,
                                                    PsychrometerType type, WetBulbCover cover) {
    for (unsigned& count : state.pressCount) {
        ++count;
    }
    if (state.resultsCurrent) {
        return std::nullopt;
    }
    const std::string pressureText = toolkit::GetControlText(Id(PressureField));
    const std::string dryBulbText = toolkit::GetControlText(Id(DryBulbField));
    const std::string wetBulbText = toolkit::GetControlText(Id(WetBulbField));
    const ReadOutcome outcome = ReadInputs(pressureText, dryBulbText, wetBulbText, unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        Refuse(*message);
        return std::nullopt;
    }
    const auto& readings = std::get<InputReadings>(outcome);
    // Readings the model refuses (е ≤ 0, or an iced bulb above 0 °C) are refused as a
    // failed check is, with nothing written.
    const HumidityOutcome computed = ComputeCheckedHumidity(readings, type, cover);
    if (const auto* message = std::get_if<std::string_view>(&computed)) {
        Refuse(*message);
        return std::nullopt;
    }
    const auto& result = std::get<HumidityResult>(computed);
    PresentResults(state, readings, result, unit);
    return AcceptedCalculation{readings, result, unit, type, cover};
}

void PresentResults(InputState& state, const InputReadings& readings, const HumidityResult& result,
                    BarometerUnit unit) {
    WriteBack(PressureField, state.pressCount[2], readings.pressureText, PressureUnitText(unit));
    WriteBack(DryBulbField, state.pressCount[0], readings.dryBulbText, TemperatureUnit);
    WriteBack(WetBulbField, state.pressCount[1], readings.wetBulbText, TemperatureUnit);

    using enum ResultQuantity;
    ShowResult(AbsoluteHumidityField, ResultText(AbsoluteHumidity, result.absoluteHumidity));
    ShowResult(RelativeHumidityField, ResultText(RelativeHumidity, result.relativeHumidity));
    ShowResult(DewPointField, ResultText(DewPoint, result.dewPoint));
    ShowResult(SaturationPressureField, ResultText(SaturationPressure, result.saturationPressure));
    ShowResult(VapourPressureField, ResultText(VapourPressure, result.vapourPressure));

    state.resultsCurrent = true;
    state.emptiedOnEntry = {false, false, false};
}
