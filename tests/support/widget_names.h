// How the tests find what the toolkit put on the screen. The toolkit names every widget
// it makes after the program's id for it, and the tests rely on these names and on
// nothing else of Qt's widget tree:
//   window-<id>          a window (the top-level widget)
//   client               the area of a window below its menu bar and toolbar
//   control-<id>         a control: field, label, button, frame, picture
//   command-<id>         a toolbar button or a menu item with a check mark (a QAction)
//   status-field-<n>     the n-th field of a status bar, counted from 0
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QWidget>

inline QString WindowName(int windowId) {
    return QStringLiteral("window-%1").arg(windowId);
}
inline QString ControlName(int controlId) {
    return QStringLiteral("control-%1").arg(controlId);
}
inline QString CommandName(int commandId) {
    return QStringLiteral("command-%1").arg(commandId);
}
inline QString StatusFieldName(int index) {
    return QStringLiteral("status-field-%1").arg(index);
}

// The shown window with that id; nullptr when there is none.
inline QWidget* ShownWindow(int windowId) {
    const QString name = WindowName(windowId);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && !widget->testAttribute(Qt::WA_WState_Hidden)) {
            return widget;
        }
    }
    return nullptr;
}

// The shown control with that id in any window; nullptr when there is none.
inline QWidget* ShownControl(int controlId) {
    // Widgets of a rebuilt window may still wait for deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString name = ControlName(controlId);
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == name && !widget->testAttribute(Qt::WA_WState_Hidden)) {
            return widget;
        }
    }
    return nullptr;
}
