#include "tests/support/loop_fixture.h"

#include "tests/support/widget_names.h"
#include "toolkit/testing/test_hooks.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

common::Date LoopTest::clockDate = 0;

void LoopTest::SetUp() {
    MainWindowTest::SetUp();
    toolkit::CloseWindow(Id(WindowId::PageViewerWindow));
    State().quitRequested = false;
    State().currentPage = 0;
    clockDate = 0;
    // A run starts with no control focused; the user gives a field the focus.
    if (QWidget* const focused = QApplication::focusWidget()) {
        focused->clearFocus();
    }
}

void LoopTest::TearDown() {
    toolkit::CloseWindow(Id(WindowId::PageViewerWindow));
    toolkit::SetPrintToFile("");
    MainWindowTest::TearDown();
}

toolkit::EventKind LoopTest::NextTurn() {
    const toolkit::EventKind kind = toolkit::WaitEvent();
    RunTurn(State(), context, kind, toolkit::EventObject(), toolkit::EventWindow());
    return kind;
}

bool LoopTest::TurnsUntil(toolkit::EventKind kind, int objectId) {
    QElapsedTimer waited;
    waited.start();
    // The clock's timer raises an event every 100 ms, so WaitEvent never blocks for long.
    while (waited.elapsed() < 5000) {
        const toolkit::EventKind handled = NextTurn();
        if (handled == kind && toolkit::EventObject() == objectId) {
            return true;
        }
    }
    return false;
}

QWidget* LoopTest::Window(int windowId) {
    return ShownWindow(windowId);
}

QWidget* LoopTest::ClientOf(int windowId) {
    QWidget* const window = Window(windowId);
    return window ? window->findChild<QWidget*>(QStringLiteral("client")) : nullptr;
}

int LoopTest::ViewerCount() {
    int count = 0;
    for (QWidget* widget : LiveWidgets()) {
        if (widget->isWindow() &&
            widget->objectName() == WindowName(Id(WindowId::PageViewerWindow)) &&
            widget->isVisible()) {
            ++count;
        }
    }
    return count;
}

QLabel* LoopTest::StatusField(int index) {
    QWidget* const window = Window(Id(WindowId::MainWindow));
    return window ? window->findChild<QLabel*>(StatusFieldName(index)) : nullptr;
}

QLineEdit* LoopTest::FieldOfWindow(int fieldId) {
    QWidget* const window = Window(Id(WindowId::MainWindow));
    return window ? window->findChild<QLineEdit*>(ControlName(fieldId)) : nullptr;
}

void LoopTest::Choose(int commandId, const QString& itemText) {
    QWidget* const window = Window(Id(WindowId::MainWindow));
    ASSERT_NE(window, nullptr);
    QAction* item = nullptr;
    for (QAction* action : window->findChildren<QAction*>()) {
        // Read as shown: without the "&" that marks the item's key.
        if (QString(action->text()).remove('&') == itemText) {
            ASSERT_EQ(item, nullptr) << "two menu items read " << itemText.toStdString();
            item = action;
        }
    }
    ASSERT_NE(item, nullptr) << "no menu item reads " << itemText.toStdString();
    item->trigger();
    ASSERT_TRUE(TurnsUntil(toolkit::MenuEvent, commandId));
}

void LoopTest::PressToolBarButton(int commandId) {
    QWidget* const viewer = Window(Id(WindowId::PageViewerWindow));
    ASSERT_NE(viewer, nullptr);
    auto* const button = viewer->findChild<QAction*>(CommandName(commandId));
    ASSERT_NE(button, nullptr);
    button->trigger();
    ASSERT_TRUE(TurnsUntil(toolkit::MenuEvent, commandId));
}

void LoopTest::Click(int buttonId) {
    QWidget* const window = Window(Id(WindowId::MainWindow));
    ASSERT_NE(window, nullptr);
    auto* const button = window->findChild<QPushButton*>(ControlName(buttonId));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(TurnsUntil(toolkit::ControlEvent, buttonId));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void LoopTest::CloseBox(int windowId) {
    QWidget* const window = Window(windowId);
    ASSERT_NE(window, nullptr);
    window->close();
    ASSERT_TRUE(TurnsUntil(toolkit::CloseEvent, 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
