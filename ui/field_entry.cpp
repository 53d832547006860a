#include "ui/field_entry.h"

#include "calc/calculate_press.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <array>

namespace {

// In the order of InputField.
constexpr std::array InputFields{ControlId::DryBulbField, ControlId::WetBulbField,
                                 ControlId::PressureField};

} // namespace

void EmptyFieldOnEntry(InputState& state) {
    const int focused = toolkit::FocusedControl();
    for (std::size_t index = 0; index < InputFields.size(); ++index) {
        const int fieldId = Id(InputFields[index]);
        if (focused == fieldId && EnterField(state, static_cast<InputField>(index))) {
            toolkit::SetControlText(fieldId, "");
        }
    }
}
