// The keyboard and mouse of toolkit_driver.h on the Qt backend.
#include "tests/support/toolkit_driver.h"

#include "internal/qt_state.h"
#include "internal/status_bar_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTest>

namespace toolkit_driver {

bool OpenActiveWindow(int windowId, int width, int height, unsigned options) {
    if (!toolkit::OpenWindow(windowId, 10, 10, width, height, "test", options)) {
        return false;
    }
    toolkit::ToolkitWindow* const window = toolkit::WindowById(windowId);
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) {
        return false;
    }
    DrainEvents();
    return true;
}

std::vector<SeenEvent> DrainEvents() {
    QCoreApplication::processEvents();
    std::vector<SeenEvent> seen;
    while (!toolkit::State().events.Empty()) {
        const toolkit::EventKind kind = toolkit::WaitEvent();
        seen.push_back({kind, toolkit::EventObject(), toolkit::EventWindow()});
    }
    return seen;
}

void Wait(int milliseconds) {
    QTest::qWait(milliseconds);
}

void Focus(int controlId) {
    if (QWidget* const control = toolkit::ControlById(controlId)) {
        control->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
}

void Press(Key key) {
    QWidget* const target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                   : QApplication::activeWindow();
    if (target == nullptr) {
        return;
    }
    switch (key) {
    case Key::Tab:
        QTest::keyClick(target, Qt::Key_Tab);
        break;
    case Key::ShiftTab:
        QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
        break;
    case Key::Enter:
        QTest::keyClick(target, Qt::Key_Return);
        break;
    case Key::Escape:
        QTest::keyClick(target, Qt::Key_Escape);
        break;
    case Key::Space:
        QTest::keyClick(target, Qt::Key_Space);
        break;
    }
}

void Type(std::string_view text) {
    QWidget* const target = QApplication::focusWidget();
    if (target == nullptr) {
        return;
    }
    // Key events that carry their character, so that Cyrillic letters type too.
    for (const QChar character :
         QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

void RequestClose(int windowId) {
    if (toolkit::ToolkitWindow* const window = toolkit::WindowById(windowId)) {
        window->close();
    }
}

bool IsShown(int controlId) {
    const QWidget* const control = toolkit::ControlById(controlId);
    return control != nullptr && control->isVisible();
}

int ShownControls(int windowId) {
    const toolkit::ToolkitWindow* const window = toolkit::WindowById(windowId);
    if (window == nullptr) {
        return 0;
    }
    int shown = 0;
    for (const QWidget* const child : window->Client()->findChildren<QWidget*>(
             QRegularExpression(QStringLiteral("^control-")), Qt::FindDirectChildrenOnly)) {
        shown += child->isVisible() ? 1 : 0;
    }
    return shown;
}

ShownStatusText StatusFieldText(int statusBarId, int field) {
    const auto* const entry = toolkit::State().statusBars.Find(statusBarId);
    const QLabel* const label = entry != nullptr ? entry->widget->Field(field) : nullptr;
    if (label == nullptr) {
        return {};
    }
    return {QFontMetrics(label->font()).horizontalAdvance(label->text()),
            label->contentsRect().width(),
            label->font().pointSizeF() / entry->widget->font().pointSizeF()};
}

} // namespace toolkit_driver
