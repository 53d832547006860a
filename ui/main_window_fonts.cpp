#include "ui/main_window_fonts.h"

#include <span>
#include <string_view>

namespace {

using enum ControlId;

constexpr ControlId TitleControls[] = {InstructionTitle};
constexpr ControlId InstructionControls[] = {InstructionStep1, InstructionStep2, InstructionStep3,
                                             InstructionStep4, InstructionStep5, InputCaption};
constexpr ControlId ButtonControls[] = {CalculateHint, CalculateButton, ClearButton};
constexpr ControlId CaptionControls[] = {AbsoluteHumidityCaption, RelativeHumidityCaption,
                                         DewPointCaption,         SaturationPressureCaption,
                                         VapourPressureCaption,   ClearHint};
constexpr ControlId FieldControls[] = {
    DryBulbField,          WetBulbField,  PressureField,           AbsoluteHumidityField,
    RelativeHumidityField, DewPointField, SaturationPressureField, VapourPressureField};

struct FontUse {
    std::string_view face;
    unsigned style = 0;
    std::span<const ControlId> controls;
};

FontUse UseOf(FontId font) {
    switch (font) {
    case FontId::TitleFont:
        return {"Arial Bold Italic", toolkit::Underline, TitleControls};
    case FontId::InstructionFont:
        return {"Arial Bold", 0, InstructionControls};
    case FontId::ButtonFont:
        return {"Arial Bold", 0, ButtonControls};
    case FontId::CaptionFont:
        return {"Arial Italic", toolkit::Bold, CaptionControls};
    case FontId::FieldFont:
        return {"Arial Italic", toolkit::Bold, FieldControls};
    }
    return {};
}

} // namespace

toolkit::FontRef ApplyMainWindowFont(const LayoutBasis& layout, FontId font) {
    const FontUse use = UseOf(font);
    if (!toolkit::LoadFont(Id(font), use.face, FontSize(layout, font), use.style)) {
        return nullptr;
    }
    const toolkit::FontRef loaded = toolkit::FontHandle(Id(font));
    for (const ControlId control : use.controls) {
        toolkit::SetControlFont(Id(control), loaded);
    }
    return loaded;
}
