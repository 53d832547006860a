// A label's rectangle was chosen for its text in the program's faces; where the face the
// system gives runs a little taller, or a display scale leaves a row a pixel short, its
// last line would be cut off at the bottom. Such a label is drawn in a slightly smaller
// face, and so is every label given the same font, so that a row of captions keeps one
// size. Labels whose text fits keep their font as given.
#include "internal/qt_state.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace toolkit {
namespace {

// Below this (6 points) a shrunk label would no longer be read comfortably; cut off it
// is, then.
constexpr int MinLabelPixels = 8;

bool Holds(const QLabel& label, const QFont& face) {
    const QRect inside = label.contentsRect();
    const QRect needed = QFontMetrics(face).boundingRect(
        inside, static_cast<int>(label.alignment() | Qt::TextWordWrap), label.text());
    return needed.height() <= inside.height();
}

int FittedPixels(const QLabel& label, QFont face) {
    int pixels = face.pixelSize();
    if (pixels <= 0 || label.text().isEmpty()) {
        return pixels;
    }
    for (; pixels > MinLabelPixels; --pixels) {
        face.setPixelSize(pixels);
        if (Holds(label, face)) {
            break;
        }
    }
    return pixels;
}

} // namespace

void ForgetFont(int fontId) {
    const FontRef doomed = FontHandle(fontId);
    if (doomed == nullptr) {
        return;
    }
    State().controls.ForEach([doomed](int, ControlEntry& entry) {
        if (entry.font == doomed) {
            entry.font = nullptr;
        }
    });
}

void FitLabelFonts(FontRef font) {
    if (font == nullptr) {
        return;
    }
    std::vector<QLabel*> labels;
    const int given = font->qfont.pixelSize();
    int common = given;
    State().controls.ForEach([font, &labels, &common](int, ControlEntry& entry) {
        auto* const label = qobject_cast<QLabel*>(entry.widget.get());
        if (entry.kind == ControlKind::Label && entry.font == font && label != nullptr) {
            labels.push_back(label);
            common = std::min(common, FittedPixels(*label, font->qfont));
        }
    });
    QFont face = font->qfont;
    if (common > 0) {
        face.setPixelSize(common);
    }
    for (QLabel* const label : labels) {
        label->setFont(common == given ? font->qfont : face);
    }
}

} // namespace toolkit
