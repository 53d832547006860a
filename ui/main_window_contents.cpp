// Stage two of the main window: every control, font, the status bar and the clock timer.
// Clear runs it again; the toolkit replaces each object created under a live id, so a
// rebuild leaves exactly one of everything.
#include "ui/main_window.h"
#include "ui/main_window_style.h"
#include "ui/main_window_texts.h"
#include "ui/toolkit/toolkit.h"

#include <initializer_list>
#include <string_view>

namespace {

using namespace main_window_texts;
using main_window_style::Green;
using main_window_style::White;

// Accessible names and descriptions go with every field and button: the placeholder texts
// and the look of the window tell a screen-reader user nothing.
void PlaceField(const LayoutBasis& layout, int id, std::string_view text, unsigned options,
                std::string_view tip, std::string_view accessibleName) {
    const Rect r = ControlRect(layout, id);
    toolkit::CreateTextField(id, r.x, r.y, r.w, r.h, text, options);
    toolkit::SetToolTip(id, tip);
    toolkit::SetAccessibleText(id, accessibleName, tip);
}

void PlaceInputField(const LayoutBasis& layout, int id, std::string_view text,
                     std::string_view tip) {
    PlaceField(layout, id, text, toolkit::Centred, tip, text);
}

void PlaceOutputField(const LayoutBasis& layout, int id, std::string_view text,
                      std::string_view tip, std::string_view caption) {
    // The caption label above the field names it better than its changing text.
    PlaceField(layout, id, text, toolkit::Centred | toolkit::ReadOnly, tip,
               caption.substr(caption.find_first_not_of(' ')));
}

void PlaceLabel(const LayoutBasis& layout, int id, std::string_view text, unsigned options) {
    const Rect r = ControlRect(layout, id);
    toolkit::CreateLabel(id, r.x, r.y, r.w, r.h, text, options);
}

void PlaceButton(const LayoutBasis& layout, int id, std::string_view text, std::string_view tip) {
    const Rect r = ControlRect(layout, id);
    toolkit::CreateButton(id, r.x, r.y, r.w, r.h, text);
    toolkit::SetToolTip(id, tip);
    toolkit::SetAccessibleText(id, text, tip);
}

// Loads the font anew under its id (the toolkit releases the old one); nullptr when it
// did not load.
toolkit::FontRef LoadLayoutFont(const LayoutBasis& layout, int fontId, std::string_view face,
                                unsigned style) {
    if (!toolkit::LoadFont(fontId, face, FontSize(layout, fontId), style)) {
        return nullptr;
    }
    return toolkit::FontHandle(fontId);
}

void GiveFont(toolkit::FontRef font, std::initializer_list<int> ids) {
    for (const int id : ids) {
        toolkit::SetControlFont(id, font);
    }
}

void PaintColours(int id, toolkit::Colour text, toolkit::Colour background) {
    toolkit::SetControlColour(id, toolkit::TextColour, text);
    toolkit::SetControlColour(id, toolkit::BackgroundColour, background);
}

void BuildStatusBar() {
    using namespace toolkit;
    if (toolkit::CreateStatusBar(0, 0)) {
        for (const int width : {250, Automatic, 200, Automatic, 100}) {
            AddStatusField(width);
        }
    }
    // Without a status bar these change nothing, which is all that is wanted then.
    SetStatusFieldText(0, 0, StatusTemperature, Raised);
    SetStatusFieldText(0, 1, StatusHpa, Raised | RightAligned);
    SetStatusFieldText(0, 3, StatusAspirated, Centred);
}

void CreateInstructions(const LayoutBasis& layout) {
    PlaceLabel(layout, 31, InstructionTitle, toolkit::Centred);
    if (const toolkit::FontRef font =
            LoadLayoutFont(layout, 4, "Arial Bold Italic", toolkit::Underline)) {
        toolkit::SetControlFont(31, font);
        PaintColours(31, White, Green);
    }

    PlaceLabel(layout, 50, InputCaption, toolkit::Centred);
    PlaceLabel(layout, 32, InstructionStep1, 0);
    PlaceLabel(layout, 33, InstructionStep2, 0);
    PlaceLabel(layout, 34, InstructionStep3, 0);
    PlaceLabel(layout, 35, InstructionStep4, 0);
    PlaceLabel(layout, 36, InstructionStep5, 0);
    if (const toolkit::FontRef font = LoadLayoutFont(layout, 3, "Arial Bold", 0)) {
        for (const int id : {32, 33, 34, 35, 36, 50}) {
            toolkit::SetControlFont(id, font);
            PaintColours(id, White, Green);
        }
    }
}

void CreateCommandRows(const LayoutBasis& layout) {
    PlaceLabel(layout, 37, CalculateHint, toolkit::Sunken);
    PlaceButton(layout, 45, CalculateButton, CalculateTip);
    PlaceLabel(layout, 43, ClearHint, toolkit::Sunken);
    PlaceButton(layout, 66, ClearButton, ClearTip);
    // Enter in an input field calculates, as a press of the button does.
    toolkit::SetDefaultButton(45);
    if (const toolkit::FontRef font = LoadLayoutFont(layout, 1, "Arial Bold", 0)) {
        GiveFont(font, {37, 45, 66});
    }
    // The hint keeps its inverted colours even with the default font.
    PaintColours(37, Green, White);
}

void CreateResultArea(const LayoutBasis& layout) {
    PlaceLabel(layout, 38, AbsoluteHumidityCaption, toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, 39, RelativeHumidityCaption, toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, 40, DewPointCaption, toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, 41, SaturationPressureCaption, toolkit::Centred | toolkit::Sunken);
    PlaceLabel(layout, 42, VapourPressureCaption, toolkit::Centred | toolkit::Sunken);
    if (const toolkit::FontRef font = LoadLayoutFont(layout, 6, "Arial Italic", toolkit::Bold)) {
        GiveFont(font, {38, 39, 40, 41, 42, 43});
    }

    PlaceOutputField(layout, 4, AbsoluteHumidityPlaceholder, AbsoluteHumidityTip,
                     AbsoluteHumidityCaption);
    PlaceOutputField(layout, 5, RelativeHumidityPlaceholder, RelativeHumidityTip,
                     RelativeHumidityCaption);
    PlaceOutputField(layout, 6, DewPointPlaceholder, DewPointTip, DewPointCaption);
    PlaceOutputField(layout, 7, SaturationPressurePlaceholder, SaturationPressureTip,
                     SaturationPressureCaption);
    PlaceOutputField(layout, 8, VapourPressurePlaceholder, VapourPressureTip,
                     VapourPressureCaption);
    if (const toolkit::FontRef font = LoadLayoutFont(layout, 2, "Arial Italic", toolkit::Bold)) {
        GiveFont(font, {1, 2, 3, 4, 5, 6, 7, 8});
    }
}

} // namespace

void BuildMainWindowContents(ProgramState& state) {
    const LayoutBasis& layout = state.layout;
    state.input.resultsCurrent = false;

    PlaceInputField(layout, 1, DryBulbPlaceholder, DryBulbTip);
    PlaceInputField(layout, 2, WetBulbPlaceholder, WetBulbTip);
    PlaceInputField(layout, 3, PressurePlaceholder, PressureTip);
    const Rect frame = ControlRect(layout, 9);
    toolkit::CreateFrame(9, frame.x, frame.y, frame.w, frame.h, toolkit::Sunken);

    BuildStatusBar();
    CreateInstructions(layout);
    CreateCommandRows(layout);
    CreateResultArea(layout);

    toolkit::AddTimer(0, 123, 100);
    state.keptGadgetTarget = toolkit::UseGadgetTarget(0);
    state.barometerUnit = BarometerUnit::Hpa;
    state.psychrometerType = PsychrometerType::Aspirated;
}
