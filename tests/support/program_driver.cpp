#include "tests/support/program_driver.h"

#include "tests/support/widget_names.h"
#include "ui/main_window.h"
#include "ui/program_ids.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

ProgramDriver::ProgramDriver() {
    static bool frameBuilt = false;
    if (!frameBuilt) {
        BuildMainWindowFrame(state_);
        frameBuilt = true;
    }
    BuildMainWindowContents(state_);
    toolkit::ActivateWindow(Id(WindowId::MainWindow));
    QApplication::processEvents();
}

void ProgramDriver::Turn(toolkit::EventKind kind, int objectId, int windowId) {
    RunTurn(state_, context_, kind, objectId, windowId);
    ++turns_;
}

void ProgramDriver::Handle(toolkit::EventKind kind, int objectId, int windowId) {
    toolkit::PostEvent(kind, objectId, windowId);
    // The queue is first in, first out: what the platform queued earlier comes first.
    for (int guard = 0; guard < 10000; ++guard) {
        const toolkit::EventKind taken = toolkit::WaitEvent();
        const int object = toolkit::EventObject();
        const int window = toolkit::EventWindow();
        Turn(taken, object, window);
        if (taken == kind && object == objectId && window == windowId) {
            return;
        }
    }
}

void ProgramDriver::RunTurnsFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        // The clock's timer queues an event every 100 ms, so this never waits for long.
        const toolkit::EventKind kind = toolkit::WaitEvent();
        Turn(kind, toolkit::EventObject(), toolkit::EventWindow());
    }
}

QWidget* ProgramDriver::Control(int controlId) {
    return ShownControl(controlId);
}

QWidget* ProgramDriver::WindowOf(int controlId) {
    QWidget* const control = Control(controlId);
    return control != nullptr ? control->window() : nullptr;
}
