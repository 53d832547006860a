// Drives the program's event loop one turn at a time on the real main window: user
// actions go through the real menus, buttons and close boxes, and each resulting event
// is taken with WaitEvent and handled by RunTurn, as the loop does.
#pragma once

#include "tests/support/main_window_fixture.h"
#include "ui/event_loop.h"

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

class LoopTest : public MainWindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The clock reads this date in every turn of these tests.
    static common::Date clockDate;
    TurnContext context{&ClockDate};

    // Takes the next event and handles it; returns its kind.
    toolkit::EventKind NextTurn();
    // Runs turns until an event of that kind and object id has been handled. False when
    // it did not come within a few seconds.
    bool TurnsUntil(toolkit::EventKind kind, int objectId);

    // Chooses the main window's menu item showing itemText (less the "&" of its key) and
    // runs the turn it raises.
    void Choose(int commandId, const QString& itemText);
    void Choose(CommandId command, const QString& itemText) { Choose(Id(command), itemText); }
    // Presses a toolbar button of the viewer and runs the turn it raises.
    void PressToolBarButton(int commandId);
    void PressToolBarButton(CommandId command) { PressToolBarButton(Id(command)); }
    // Clicks a button of the main window and runs the turn it raises.
    void Click(int buttonId);
    void Click(ControlId button) { Click(Id(button)); }
    // Presses the close box of a window and runs the turn it raises.
    void CloseBox(int windowId);
    void CloseBox(WindowId window) { CloseBox(Id(window)); }

    static QWidget* Window(int windowId);
    static QWidget* Window(WindowId window) { return Window(Id(window)); }
    // The client area of a window: the area below its menu bar and toolbar.
    static QWidget* ClientOf(int windowId);
    static QLabel* StatusField(int index);
    // A text field of the main window as it stands now (also after a Clear).
    static QLineEdit* FieldOfWindow(int fieldId);
    static QLineEdit* FieldOfWindow(ControlId field) { return FieldOfWindow(Id(field)); }
    static int ViewerCount();

  private:
    static common::Date ClockDate() { return clockDate; }
};
