#include "calc/calculate_press.h"

#include <cstddef>

namespace {

std::size_t Index(InputField field) {
    return static_cast<std::size_t>(field);
}

} // namespace

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

std::string WrittenBackText(unsigned pressCount, std::string_view text, std::string_view unitText) {
    std::string written(text);
    if (pressCount == 1) {
        written += unitText;
    }
    return written;
}

bool EnterField(InputState& state, InputField field) {
    const std::size_t index = Index(field);
    if (state.emptiedOnEntry[index]) {
        return false;
    }
    state.emptiedOnEntry[index] = true;
    state.pressCount[index] = 0;
    state.resultsCurrent = false;
    return true;
}

PressOutcome PressCalculate(InputState& state, std::string_view pressureText,
                            std::string_view dryBulbText, std::string_view wetBulbText,
                            BarometerUnit unit, PsychrometerType type, WetBulbCover cover) {
    for (unsigned& count : state.pressCount) {
        ++count;
    }
    if (state.resultsCurrent) {
        return std::monostate{};
    }
    const ReadOutcome outcome = ReadInputs(pressureText, dryBulbText, wetBulbText, unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        return PressRefusal{*message, FieldOfMessage(*message)};
    }
    const auto& readings = std::get<InputReadings>(outcome);
    // Readings the model refuses (е ≤ 0, or an iced bulb above 0 °C) are refused as a
    // failed check is, with nothing written.
    const HumidityOutcome computed = ComputeCheckedHumidity(readings, type, cover);
    if (const auto* message = std::get_if<std::string_view>(&computed)) {
        return PressRefusal{std::string(*message), FieldOfMessage(*message)};
    }
    const auto& result = std::get<HumidityResult>(computed);

    PressResults shown{{readings, result, unit, type, cover}, {}, {}};
    using enum InputField;
    shown.inputTexts[Index(Pressure)] = WrittenBackText(
        state.pressCount[Index(Pressure)], readings.pressureText, PressureUnitText(unit));
    shown.inputTexts[Index(DryBulb)] = WrittenBackText(state.pressCount[Index(DryBulb)],
                                                       readings.dryBulbText, TemperatureUnitText);
    shown.inputTexts[Index(WetBulb)] = WrittenBackText(state.pressCount[Index(WetBulb)],
                                                       readings.wetBulbText, TemperatureUnitText);
    using enum ResultQuantity;
    shown.resultTexts = {ResultText(AbsoluteHumidity, result.absoluteHumidity),
                         ResultText(RelativeHumidity, result.relativeHumidity),
                         ResultText(DewPoint, result.dewPoint),
                         ResultText(SaturationPressure, result.saturationPressure),
                         ResultText(VapourPressure, result.vapourPressure)};
    state.resultsCurrent = true;
    state.emptiedOnEntry = {false, false, false};
    return shown;
}
