// Creating the controls of the gadget target window.
#include "internal/control_widgets.h"
#include "internal/pixel_image.h"
#include "internal/qt_state.h"
#include "toolkit/pixel_shrink.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace toolkit {
namespace {

ToolkitWindow* TargetWindow() {
    return WindowById(State().gadgetTarget);
}

// Puts a created control on the screen and into the table.
void Register(int controlId, ControlKind kind, QWidget* control, ToolkitWindow& window,
              const QRect& place) {
    control->setObjectName(QStringLiteral("control-%1").arg(controlId));
    control->setGeometry(place);
    control->show();
    window.AddToFocusOrder(control);
    // The status bar and toolbar stay on top of whatever is created after them.
    window.Client()->PlaceEdgeBars();
    State().controls.Put(controlId,
                         ControlEntry{WidgetHandle<QWidget>(control), window.Id(), kind});
}

// Static controls (labels, frames) are not there for the mouse: a click goes to
// whatever lies under them, as with a frame drawn around input fields.
void MakeStatic(QWidget* control) {
    control->setFocusPolicy(Qt::NoFocus);
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace

bool CreateTextField(int controlId, int x, int y, int width, int height, std::string_view text,
                     unsigned options) {
    ToolkitWindow* const window = TargetWindow();
    if (window == nullptr) {
        return false;
    }
    State().controls.Remove(controlId);
    auto* const field = new TextField(controlId, window->Id(), window->Client());
    field->setFocusPolicy(Qt::StrongFocus);
    field->setFrame(true);
    field->setReadOnly((options & ReadOnly) != 0);
    field->setAlignment(((options & Centred) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    {
        const EventQueue::Silence quiet(State().events);
        field->setText(ToQString(text));
        field->setCursorPosition(0);
    }
    Register(controlId, ControlKind::TextField, field, *window, QRect(x, y, width, height));
    return true;
}

bool CreateLabel(int controlId, int x, int y, int width, int height, std::string_view text,
                 unsigned options) {
    ToolkitWindow* const window = TargetWindow();
    if (window == nullptr) {
        return false;
    }
    State().controls.Remove(controlId);
    auto* const label = new QLabel(window->Client());
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(((options & Centred) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setFrameStyle((options & Sunken) != 0 ? QFrame::StyledPanel | QFrame::Sunken
                                                 : QFrame::NoFrame);
    // A static text is drawn from its top edge, inside its border only: QLabel would
    // indent a framed text by half an "x" on its aligned sides, the top among them.
    label->setIndent(0);
    label->setMargin(0);
    label->setText(ToQString(text));
    // A static text paints its own background in the platform's face colour, whatever
    // the window behind it is painted in, until a colour of its own is set.
    QPalette palette = label->palette();
    const QPalette defaults = QApplication::palette(label);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, defaults.color(group, QPalette::Window));
    }
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    MakeStatic(label);
    Register(controlId, ControlKind::Label, label, *window, QRect(x, y, width, height));
    return true;
}

bool CreateFrame(int controlId, int x, int y, int width, int height, unsigned style) {
    ToolkitWindow* const window = TargetWindow();
    if (window == nullptr) {
        return false;
    }
    State().controls.Remove(controlId);
    auto* const frame = new QFrame(window->Client());
    frame->setFrameStyle((style & Sunken) != 0 ? QFrame::StyledPanel | QFrame::Sunken
                                               : QFrame::NoFrame);
    frame->setAutoFillBackground(false);
    MakeStatic(frame);
    Register(controlId, ControlKind::Frame, frame, *window, QRect(x, y, width, height));
    return true;
}

bool CreateButton(int controlId, int x, int y, int width, int height, std::string_view text) {
    ToolkitWindow* const window = TargetWindow();
    if (window == nullptr) {
        return false;
    }
    State().controls.Remove(controlId);
    auto* const button = new PushButton(ToQString(text), window->Client());
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    const int windowId = window->Id();
    QObject::connect(button, &QPushButton::clicked, button, [controlId, windowId] {
        QueueEvent({ControlEvent, controlId, windowId, EventDetail::Pressed});
    });
    Register(controlId, ControlKind::Button, button, *window, QRect(x, y, width, height));
    return true;
}

namespace {

// The picture's memory goes to the pixmap: the control keeps the only copy on screen.
bool PutPicture(int controlId, int x, int y, QImage picture) {
    ToolkitWindow* const window = TargetWindow();
    if (window == nullptr) {
        return false;
    }
    State().controls.Remove(controlId);
    auto* const control = new PictureControl(controlId, window->Id(), window->Client());
    control->setFocusPolicy(Qt::NoFocus);
    const QSize size = picture.size();
    if (!picture.isNull()) {
        control->setPixmap(QPixmap::fromImage(std::move(picture)));
    }
    Register(controlId, ControlKind::Picture, control, *window, QRect(QPoint(x, y), size));
    return true;
}

} // namespace

bool CreatePicture(int controlId, int x, int y, int /*width*/, int /*height*/,
                   const PixelView& image) {
    return PutPicture(controlId, x, y, ToScreenImage(image));
}

bool CreateScaledPicture(int controlId, int x, int y, int width, int height,
                         const PixelView& image) {
    if (image.empty() || width <= 0 || height <= 0 || width > image.width ||
        height > image.height) {
        QImage picture = ToScreenImage(image);
        if (picture.isNull() || width <= 0 || height <= 0) {
            return PutPicture(controlId, x, y, std::move(picture));
        }
        return PutPicture(
            controlId, x, y,
            picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    // Shrunk straight from the store: a full-size screen copy beside the shrunk one
    // would be the largest block the viewer ever holds.
    QImage shrunk(width, height, QImage::Format_RGB32);
    if (shrunk.isNull()) {
        return false;
    }
    ShrinkPicture(image, width, height, reinterpret_cast<std::uint32_t*>(shrunk.bits()),
                  shrunk.bytesPerLine() / 4);
    return PutPicture(controlId, x, y, std::move(shrunk));
}

void MoveControl(int controlId, int x, int y, int width, int height) {
    const ControlEntry* const entry = ControlEntryById(controlId);
    if (entry == nullptr) {
        return;
    }
    if (entry->kind == ControlKind::Picture) {
        entry->widget->move(x, y);
    } else {
        entry->widget->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    }
    if (entry->kind == ControlKind::Label) {
        FitLabelFonts(entry->font);
    }
}

void SetDefaultButton(int controlId) {
    const ControlEntry* const entry = ControlEntryById(controlId);
    if (entry == nullptr || entry->kind != ControlKind::Button) {
        return;
    }
    if (ToolkitWindow* const window = WindowById(entry->windowId)) {
        window->SetDefaultButton(static_cast<QAbstractButton*>(entry->widget.get()));
    }
}

} // namespace toolkit
