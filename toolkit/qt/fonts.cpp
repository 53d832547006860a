// Loading the program's fonts.
#include "internal/qt_state.h"
#include "toolkit/font_name.h"

#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace toolkit {
namespace {

double LogicalDotsPerInchY() {
    const QScreen* const screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

bool LoadFont(int fontId, std::string_view faceName, int sizePoints, unsigned style) {
    if (!Started()) {
        return false;
    }
    ForgetFont(fontId);
    State().fonts.Remove(fontId);
    const FaceName face = SplitFaceName(faceName);
    QFont font(ToQString(face.family));
    const int pixels = std::abs(CharacterHeightPixels(sizePoints, LogicalDotsPerInchY()));
    if (pixels > 0) {
        font.setPixelSize(pixels);
    }
    font.setBold(face.bold || (style & Bold) != 0);
    font.setItalic(face.italic || (style & Italic) != 0);
    font.setUnderline((style & Underline) != 0);
    font.setStrikeOut((style & StrikeOut) != 0);
    font.setStyleStrategy((style & HighQuality) != 0 ? QFont::PreferQuality : QFont::PreferDefault);
    State().fonts.Put(fontId, std::make_unique<Font>(Font{font}));
    return true;
}

FontRef FontHandle(int fontId) {
    const std::unique_ptr<Font>* const font = State().fonts.Find(fontId);
    return font == nullptr ? nullptr : font->get();
}

} // namespace toolkit

namespace toolkit {

bool LoadPictureFont(int fontId, std::string_view family, double pixelSize, unsigned style) {
    if (!Started() || !(pixelSize > 0)) {
        return false;
    }
    ForgetFont(fontId);
    State().fonts.Remove(fontId);
    QFont font(ToQString(family));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold((style & Bold) != 0);
    font.setItalic((style & Italic) != 0);
    font.setUnderline((style & Underline) != 0);
    font.setStrikeOut((style & StrikeOut) != 0);
    State().fonts.Put(fontId, std::make_unique<Font>(Font{font}));
    return true;
}

} // namespace toolkit
