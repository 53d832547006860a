#include "ui/toolkit/internal/control_widgets.h"

#include "ui/toolkit/internal/state.h"

#include <QMouseEvent>

namespace toolkit {

TextField::TextField(int controlId, int windowId, QWidget* parent)
    : QLineEdit(parent), controlId_(controlId), windowId_(windowId) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        QueueEvent({ControlEvent, controlId_, windowId_, EventDetail::TextChanged});
    });
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

void PictureControl::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        QueueEvent({ControlEvent, controlId_, windowId_, EventDetail::Clicked});
    }
}

} // namespace toolkit
