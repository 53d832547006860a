#include "ui/calculate_command.h"

#include "calc/main_window_texts.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <array>
#include <cstddef>
#include <string>
#include <variant>

namespace {

using enum ControlId;

// In the order of InputField.
constexpr std::array<ControlId, 3> InputFields{DryBulbField, WetBulbField, PressureField};
// In the order of ResultQuantity.
constexpr std::array<ControlId, 5> ResultFields{AbsoluteHumidityField, RelativeHumidityField,
                                                DewPointField, SaturationPressureField,
                                                VapourPressureField};

// The user sees what to correct and types over it at once.
void Refuse(const PressRefusal& refusal) {
    toolkit::MessageBox(main_window_texts::ProblemCaption, refusal.message);
    toolkit::FocusControl(Id(InputFields[static_cast<std::size_t>(refusal.field)]));
}

// The pressure first, then the thermometers, then the results: the order the fields have
// always been written in.
void Show(const PressResults& shown) {
    for (const InputField field :
         {InputField::Pressure, InputField::DryBulb, InputField::WetBulb}) {
        const auto index = static_cast<std::size_t>(field);
        toolkit::SetControlText(Id(InputFields[index]), shown.inputTexts[index]);
    }
    for (std::size_t index = 0; index < ResultFields.size(); ++index) {
        toolkit::SetControlText(Id(ResultFields[index]), shown.resultTexts[index]);
    }
}

} // namespace

std::optional<AcceptedCalculation> CalculatePressed(InputState& state, BarometerUnit unit,
                                                    PsychrometerType type, WetBulbCover cover) {
    const std::string pressureText = toolkit::GetControlText(Id(PressureField));
    const std::string dryBulbText = toolkit::GetControlText(Id(DryBulbField));
    const std::string wetBulbText = toolkit::GetControlText(Id(WetBulbField));
    PressOutcome outcome =
        PressCalculate(state, pressureText, dryBulbText, wetBulbText, unit, type, cover);
    if (const auto* refusal = std::get_if<PressRefusal>(&outcome)) {
        Refuse(*refusal);
        return std::nullopt;
    }
    auto* shown = std::get_if<PressResults>(&outcome);
    if (shown == nullptr) {
        return std::nullopt;
    }
    Show(*shown);
    return std::move(shown->calculation);
}
