// Stage two of the main window: every control, font, the status bar and the clock timer.
// Clear runs it again; the toolkit replaces each object created under a live id, so a
// rebuild leaves exactly one of everything.
#include "calc/main_window_texts.h"
#include "toolkit/toolkit.h"
#include "ui/commands.h"
#include "ui/main_window.h"
#include "ui/main_window_fonts.h"
#include "ui/main_window_style.h"
#include "ui/program_ids.h"

#include <initializer_list>
#include <string_view>

namespace {

using namespace main_window_texts;
using main_window_style::Green;
using main_window_style::White;

// Accessible names and descriptions go with every field and button: the placeholder texts
// and the look of the window tell a screen-reader user nothing.
void PlaceField(const LayoutBasis& layout, ControlId control, std::string_view text,
                unsigned options, std::string_view tip, std::string_view accessibleName) {
    const Rect r = ControlRect(layout, control);
    const int id = Id(control);
    toolkit::CreateTextField(id, r.x, r.y, r.w, r.h, text, options);
    toolkit::SetToolTip(id, tip);
    toolkit::SetAccessibleText(id, accessibleName, tip);
}

void PlaceInputField(const LayoutBasis& layout, ControlId control, std::string_view text,
                     std::string_view tip) {
    PlaceField(layout, control, text, toolkit::Centred, tip, text);
}

void PlaceOutputField(const LayoutBasis& layout, ControlId control, std::string_view text,
                      std::string_view tip, std::string_view caption) {
    // The caption label above the field names it better than its changing text.
    PlaceField(layout, control, text, toolkit::Centred | toolkit::ReadOnly, tip,
               caption.substr(caption.find_first_not_of(' ')));
}

void PlaceLabel(const LayoutBasis& layout, ControlId control, std::string_view text,
                unsigned options) {
    const Rect r = ControlRect(layout, control);
    toolkit::CreateLabel(Id(control), r.x, r.y, r.w, r.h, text, options);
}

void PlaceButton(const LayoutBasis& layout, ControlId control, std::string_view text,
                 std::string_view tip) {
    const Rect r = ControlRect(layout, control);
    const int id = Id(control);
    toolkit::CreateButton(id, r.x, r.y, r.w, r.h, text);
    toolkit::SetToolTip(id, tip);
    toolkit::SetAccessibleText(id, text, tip);
}

void PaintColours(ControlId control, toolkit::Colour text, toolkit::Colour background) {
    toolkit::SetControlColour(Id(control), toolkit::TextColour, text);
    toolkit::SetControlColour(Id(control), toolkit::BackgroundColour, background);
}

void SetStatusText(StatusFieldId field, std::string_view text, unsigned options) {
    toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar), Id(field), text, options);
}

void BuildStatusBar() {
    using namespace toolkit;
    if (toolkit::CreateStatusBar(Id(StatusBarId::MainStatusBar), Id(WindowId::MainWindow))) {
        // The widths of the fields of StatusFieldId, in its order.
        for (const int width : {250, Automatic, 200, Automatic, 100}) {
            AddStatusField(width);
        }
    }
    // Without a status bar these change nothing, which is all that is wanted then.
    SetStatusText(StatusFieldId::TemperatureUnitField, StatusTemperature, Raised);
    SetStatusText(StatusFieldId::PressureUnitField, StatusHpa, Raised | RightAligned);
    SetStatusText(StatusFieldId::PsychrometerTypeField, StatusAspirated, Centred);
}

void CreateInstructions(const LayoutBasis& layout) {
    PlaceLabel(layout, ControlId::InstructionTitle, InstructionTitle, toolkit::Centred);
    if (ApplyMainWindowFont(layout, FontId::TitleFont) != nullptr) {
        PaintColours(ControlId::InstructionTitle, White, Green);
    }

    PlaceLabel(layout, ControlId::InputCaption, InputCaption, toolkit::Centred);
    PlaceLabel(layout, ControlId::InstructionStep1, InstructionStep1, 0);
    PlaceLabel(layout, ControlId::InstructionStep2, InstructionStep2, 0);
    PlaceLabel(layout, ControlId::InstructionStep3, InstructionStep3, 0);
    PlaceLabel(layout, ControlId::InstructionStep4, InstructionStep4, 0);
    PlaceLabel(layout, ControlId::InstructionStep5, InstructionStep5, 0);
    if (ApplyMainWindowFont(layout, FontId::InstructionFont) != nullptr) {
        for (const ControlId label :
             {ControlId::InstructionStep1, ControlId::InstructionStep2, ControlId::InstructionStep3,
              ControlId::InstructionStep4, ControlId::InstructionStep5, ControlId::InputCaption}) {
            PaintColours(label, White, Green);
        }
    }
}

void CreateCommandRows(const LayoutBasis& layout) {
    PlaceLabel(layout, ControlId::CalculateHint, CalculateHint, toolkit::Sunken);
    PlaceButton(layout, ControlId::CalculateButton, CalculateButton, CalculateTip);
    PlaceLabel(layout, ControlId::ClearHint, ClearHint, toolkit::Sunken);
    PlaceButton(layout, ControlId::ClearButton, ClearButton, ClearTip);
    // Enter in an input field calculates, as a press of the button does.
    toolkit::SetDefaultButton(Id(ControlId::CalculateButton));
    ApplyMainWindowFont(layout, FontId::ButtonFont);
    // The hint keeps its inverted colours even with the default font.
    PaintColours(ControlId::CalculateHint, Green, White);
}

void CreateResultArea(const LayoutBasis& layout) {
    PlaceLabel(layout, ControlId::AbsoluteHumidityCaption, AbsoluteHumidityCaption,
               toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, ControlId::RelativeHumidityCaption, RelativeHumidityCaption,
               toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, ControlId::DewPointCaption, DewPointCaption,
               toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, ControlId::SaturationPressureCaption, SaturationPressureCaption,
               toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, ControlId::VapourPressureCaption, VapourPressureCaption,
               toolkit::Centred | toolkit::Sunken);
    ApplyMainWindowFont(layout, FontId::CaptionFont);

    PlaceOutputField(layout, ControlId::AbsoluteHumidityField, AbsoluteHumidityPlaceholder,
                     AbsoluteHumidityTip, AbsoluteHumidityCaption);
    PlaceOutputField(layout, ControlId::RelativeHumidityField, RelativeHumidityPlaceholder,
                     RelativeHumidityTip, RelativeHumidityCaption);
    PlaceOutputField(layout, ControlId::DewPointField, DewPointPlaceholder, DewPointTip,
                     DewPointCaption);
    PlaceOutputField(layout, ControlId::SaturationPressureField, SaturationPressurePlaceholder,
                     SaturationPressureTip, SaturationPressureCaption);
    PlaceOutputField(layout, ControlId::VapourPressureField, VapourPressurePlaceholder,
                     VapourPressureTip, VapourPressureCaption);
    ApplyMainWindowFont(layout, FontId::FieldFont);
}

} // namespace

void BuildMainWindowContents(ProgramState& state) {
    const LayoutBasis& layout = state.layout;
    // The fields come back with their initial texts, so each is emptied on entry again as
    // on the first start, and no press has counted since (results not current either).
    state.input = InputState{};

    PlaceInputField(layout, ControlId::DryBulbField, DryBulbPlaceholder, DryBulbTip);
    PlaceInputField(layout, ControlId::WetBulbField, WetBulbPlaceholder, WetBulbTip);
    PlaceInputField(layout, ControlId::PressureField, PressurePlaceholder, PressureTip);
    const Rect frame = ControlRect(layout, ControlId::InputFrame);
    toolkit::CreateFrame(Id(ControlId::InputFrame), frame.x, frame.y, frame.w, frame.h,
                         toolkit::Sunken);

    BuildStatusBar();
    CreateInstructions(layout);
    CreateCommandRows(layout);
    CreateResultArea(layout);

    toolkit::AddTimer(Id(WindowId::MainWindow), Id(TimerId::ClockTimer), 100);
    state.keptGadgetTarget = toolkit::UseGadgetTarget(Id(WindowId::MainWindow));
    state.barometerUnit = BarometerUnit::Hpa;
    state.psychrometerType = PsychrometerType::Aspirated;
    state.wetBulbCover = WetBulbCover::Water;
    ShowWetBulbCover(state.wetBulbCover);
    // The status bar and the menu bar now take their real heights at the window's scale.
    FitMainWindowContents(state);
}
