// The font a control draws in. A label's rectangle was measured for the program's own
// faces; where the system substitutes a face with taller lines (Wine's stand-ins for
// Arial, say), its last line would lose its descenders, or the whole line, at the bottom.
// Such labels get the face a little smaller, and so do all labels given the same font, so
// that a row of captions keeps one size.
#include "internal/text_fit.h"
#include "internal/win32_state.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace toolkit::win32 {
namespace {

// Below this a shrunk label would no longer be read comfortably; cut off it is, then.
constexpr int MinLabelPoints = 6;

HFONT ChosenFont(const ControlEntry& control) {
    return control.font != nullptr ? control.font : DefaultFont();
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(0, GetWindowTextW(control, text.data(), static_cast<int>(text.size())))));
    return text;
}

// The character height at most face's in which the label shows its whole text.
LONG HeightThatFits(HWND label, const LOGFONTW& face) {
    RECT inside{};
    GetClientRect(label, &inside);
    return FittedHeight(face, TextOf(label), {inside.right, inside.bottom},
                        DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX,
                        ScreenPixelsOfPoints(MinLabelPoints));
}

LONG HeightOf(HFONT font) {
    return DescriptionOf(font).lfHeight;
}

void SetFont(ControlEntry& control, FontObject fitted) {
    HWND const window = control.window.get();
    const auto current = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    // The same face again would only cost a repaint.
    const bool same = fitted ? control.fittedFont && current == control.fittedFont.get() &&
                                   HeightOf(current) == HeightOf(fitted.get())
                             : !control.fittedFont && current == ChosenFont(control);
    if (same) {
        return;
    }
    HFONT const shown = fitted ? fitted.get() : ChosenFont(control);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
    // The control has let go of the face it drew with before: only now may it go.
    control.fittedFont = std::move(fitted);
}

} // namespace

void ShowControlFont(ControlEntry& control) {
    if (control.kind != ControlKind::Label) {
        SetFont(control, {});
        return;
    }
    HFONT const chosen = ChosenFont(control);
    const LOGFONTW base = DescriptionOf(chosen);
    // Only this label is measured again: the others of its font keep what they needed.
    control.fitHeight = HeightThatFits(control.window.get(), base);
    LONG common = base.lfHeight;
    ToolkitState& state = State();
    const auto sharesFont = [chosen](const ControlEntry& other) {
        return other.kind == ControlKind::Label && ChosenFont(other) == chosen;
    };
    state.controls.ForEach([&](int, const ControlEntry& label) {
        if (sharesFont(label) && label.fitHeight != 0 &&
            std::labs(label.fitHeight) < std::labs(common)) {
            common = label.fitHeight;
        }
    });
    state.controls.ForEach([&](int, ControlEntry& label) {
        if (sharesFont(label)) {
            SetFont(label, common == base.lfHeight ? FontObject() : FontOfHeight(base, common));
        }
    });
}

} // namespace toolkit::win32
