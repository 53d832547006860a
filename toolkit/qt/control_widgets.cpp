#include "internal/control_widgets.h"

#include "internal/qt_state.h"
#include "internal/window_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace toolkit {

TextField::TextField(int controlId, int windowId, QWidget* parent)
    : QLineEdit(parent), controlId_(controlId), windowId_(windowId) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        QueueEvent({ControlEvent, controlId_, windowId_, EventDetail::TextChanged});
    });
    connect(this, &QLineEdit::returnPressed, this, [this] {
        const auto* const owner = qobject_cast<const ToolkitWindow*>(window());
        QAbstractButton* const button = owner != nullptr ? owner->DefaultButton() : nullptr;
        if (button != nullptr && button->isEnabled() && button->isVisible()) {
            // Exactly as a click: the button takes the focus, so the field is left and
            // entering it again counts as a new entry.
            button->setFocus(Qt::OtherFocusReason);
            button->click();
        }
    });
}

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void PushButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    QueueEvent({ControlEvent, controlId_, windowId_, EventDetail::FocusGained});
}

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    QueueEvent({ControlEvent, controlId_, windowId_, EventDetail::FocusLost});
}

PictureControl::PictureControl(int controlId, int windowId, QWidget* parent)
    : QLabel(parent), controlId_(controlId), windowId_(windowId) {}

void PictureControl::paintEvent(QPaintEvent* event) {
    const QPixmap shown = pixmap();
    if (shown.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), shown);
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        QueueEvent({ControlEvent, controlId_, windowId_, EventDetail::Clicked});
    }
}

} // namespace toolkit
