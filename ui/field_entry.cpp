#include "ui/field_entry.h"

#include "toolkit/toolkit.h"

void EmptyFieldOnEntry(InputState& state) {
    const int focused = toolkit::FocusedControl();
    for (int index = 0; index < 3; ++index) {
        const int fieldId = index + 1;
        if (focused != fieldId || state.emptiedOnEntry[index]) {
            continue;
        }
        toolkit::SetControlText(fieldId, "");
        state.emptiedOnEntry[index] = true;
        state.pressCount[index] = 0;
        state.resultsCurrent = false;
    }
}
