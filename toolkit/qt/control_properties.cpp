// Texts, fonts, colours, tooltips and focus of existing controls.
#include "internal/control_widgets.h"
#include "internal/qt_state.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTextDocument>

#include <initializer_list>

namespace toolkit {
namespace {

void SetRoles(QWidget& control, std::initializer_list<QPalette::ColorRole> roles, Colour colour) {
    QPalette palette = control.palette();
    const QPalette defaults = QApplication::palette(&control);
    for (const QPalette::ColorRole role : roles) {
        if (colour == DefaultColour) {
            for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                palette.setColor(group, role, defaults.color(group, role));
            }
        } else {
            palette.setColor(role, QColor::fromRgb(static_cast<QRgb>(colour)));
        }
    }
    control.setPalette(palette);
}

// A text field that a write of value would leave exactly as it is: same text, the start of
// it in view, nothing selected, nothing to undo. Laying its text out again (as setText
// does) would only cost time: a Calculate press writes back inputs that already show it.
bool AlreadyShows(const QLineEdit& field, const QString& value) {
    return field.cursorPosition() == 0 && !field.hasSelectedText() && !field.isUndoAvailable() &&
           !field.isRedoAvailable() && field.text() == value;
}

} // namespace

void SetToolTip(int controlId, std::string_view text) {
    QWidget* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    QString tip = ToQString(text);
    // A tip is plain text, whatever it looks like.
    if (Qt::mightBeRichText(tip)) {
        tip = Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal);
    }
    control->setToolTip(tip);
    control->window()->setAttribute(Qt::WA_AlwaysShowToolTips);
}

void SetAccessibleText(int controlId, std::string_view name, std::string_view description) {
    if (QWidget* const control = ControlById(controlId)) {
        control->setAccessibleName(ToQString(name));
        control->setAccessibleDescription(ToQString(description));
    }
}

void SetControlFont(int controlId, FontRef font) {
    ControlEntry* const entry = ControlEntryById(controlId);
    if (entry == nullptr) {
        return;
    }
    entry->widget->setFont(font != nullptr ? font->qfont : QFont());
    entry->font = font;
    if (entry->kind == ControlKind::Label) {
        FitLabelFonts(font);
    }
}

void SetControlColour(int controlId, int which, Colour colour) {
    ControlEntry* const entry = ControlEntryById(controlId);
    if (entry == nullptr) {
        return;
    }
    QWidget& control = *entry->widget.get();
    if (which == TextColour) {
        SetRoles(control, {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}, colour);
    } else if (which == BackgroundColour) {
        SetRoles(control, {QPalette::Base, QPalette::Window, QPalette::Button}, colour);
    }
    control.update();
}

void SetControlText(int controlId, std::string_view text) {
    QWidget* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    const EventQueue::Silence quiet(State().events);
    const QString value = ToQString(text);
    if (auto* const field = qobject_cast<QLineEdit*>(control)) {
        if (AlreadyShows(*field, value)) {
            return;
        }
        field->setText(value);
        field->setCursorPosition(0);
    } else if (auto* const label = qobject_cast<QLabel*>(control)) {
        if (qobject_cast<PictureControl*>(control) == nullptr) {
            label->setText(value);
        }
    } else if (auto* const button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(value);
    }
}

std::string GetControlText(int controlId) {
    const QWidget* const control = ControlById(controlId);
    if (const auto* const field = qobject_cast<const QLineEdit*>(control)) {
        return ToUtf8(field->text());
    }
    if (const auto* const label = qobject_cast<const QLabel*>(control)) {
        return ToUtf8(label->text());
    }
    if (const auto* const button = qobject_cast<const QAbstractButton*>(control)) {
        return ToUtf8(button->text());
    }
    return {};
}

void FocusControl(int controlId) {
    QWidget* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto* const field = qobject_cast<QLineEdit*>(control)) {
        field->selectAll();
    }
}

int FocusedControl() {
    if (!Started()) {
        return -1;
    }
    return ControlIdOf(QApplication::focusWidget());
}

} // namespace toolkit
