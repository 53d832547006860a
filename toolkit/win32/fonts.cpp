// Loading the program's fonts at the screen's resolution.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"
#include "toolkit/font_name.h"

#include <algorithm>
#include <cmath>

namespace toolkit {
using namespace win32;
namespace {

// A control must not draw with a font that is about to be deleted: it goes back to
// the default font first.
void ForgetFont(int fontId) {
    const Font* const font = State().fonts.Find(fontId);
    if (font == nullptr) {
        return;
    }
    HFONT const doomed = font->handle.get();
    State().controls.ForEach([doomed](int, ControlEntry& control) {
        if (control.font == doomed) {
            control.font = nullptr;
            ShowControlFont(control);
        }
    });
}

} // namespace

bool LoadFont(int fontId, std::string_view faceName, int sizePoints, unsigned style) {
    if (!Started()) {
        return false;
    }
    ForgetFont(fontId);
    State().fonts.Remove(fontId);
    const FaceName face = SplitFaceName(faceName);
    // Negative: the character height, not the cell height.
    const int height = -CharacterHeightPixels(sizePoints, FontDotsPerInch());
    const bool bold = face.bold || (style & Bold) != 0;
    const bool italic = face.italic || (style & Italic) != 0;
    FontObject font(CreateFontW(
        height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE,
        (style & Underline) != 0 ? TRUE : FALSE, (style & StrikeOut) != 0 ? TRUE : FALSE,
        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        (style & HighQuality) != 0 ? PROOF_QUALITY : DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
        common::WideFromUtf8(face.family).c_str()));
    if (!font) {
        return false;
    }
    State().fonts.Put(fontId, Font{std::move(font)});
    return true;
}

bool LoadPictureFont(int fontId, std::string_view family, double pixelSize, unsigned style) {
    if (!Started() || !(pixelSize > 0)) {
        return false;
    }
    ForgetFont(fontId);
    State().fonts.Remove(fontId);
    const int height = -std::max(1, static_cast<int>(std::lround(pixelSize)));
    FontObject font(CreateFontW(height, 0, 0, 0, (style & Bold) != 0 ? FW_BOLD : FW_NORMAL,
                                (style & Italic) != 0 ? TRUE : FALSE,
                                (style & Underline) != 0 ? TRUE : FALSE,
                                (style & StrikeOut) != 0 ? TRUE : FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, common::WideFromUtf8(family).c_str()));
    if (!font) {
        return false;
    }
    State().fonts.Put(fontId, Font{std::move(font)});
    return true;
}

FontRef FontHandle(int fontId) {
    return State().fonts.Find(fontId);
}

void ReleaseFonts() {
    State().fonts.RemoveIf([](int fontId, const Font&) {
        ForgetFont(fontId);
        return true;
    });
}

} // namespace toolkit
