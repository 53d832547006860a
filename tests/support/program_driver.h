// Runs the real calculator inside a test: the main window built as the program builds
// it, and events handled by the program's own loop turn, one at a time.
#pragma once

#include "toolkit/toolkit.h"
#include "ui/event_loop.h"
#include "ui/program_state.h"

class QWidget;

class ProgramDriver {
  public:
    // Builds the main window (stage one once per test program, stage two every time).
    ProgramDriver();

    ProgramState& State() { return state_; }

    // Queues an event as the platform would and runs turns until it has been handled
    // (with whatever the platform queued before it).
    void Handle(toolkit::EventKind kind, int objectId, int windowId);
    // Runs turns on whatever the platform queues (clock ticks included) for a while.
    void RunTurnsFor(int milliseconds);
    // Turns run so far.
    long Turns() const { return turns_; }

    // A control of the main window or the viewer by its id; nullptr when there is none.
    static QWidget* Control(int controlId);
    // The top-level window that holds control `controlId`.
    static QWidget* WindowOf(int controlId);

  private:
    void Turn(toolkit::EventKind kind, int objectId, int windowId);

    ProgramState state_;
    TurnContext context_;
    long turns_ = 0;
};
