// The event loop: one event per turn, handled completely before the next.
#pragma once

#include "common/date.h"
#include "toolkit/toolkit.h"
#include "ui/program_state.h"

// What a turn takes from outside besides the event; replaceable so a test can stop the
// clock at a chosen time.
struct TurnContext {
    common::Date (*currentDate)() = &common::CurrentDate;
};

// Handles one event as the loop does after WaitEvent.
void RunTurn(ProgramState& state, const TurnContext& context, toolkit::EventKind kind, int objectId,
             int windowId);

// Waits for events and handles them until a turn ends with quitRequested set.
void RunEventLoop(ProgramState& state, const TurnContext& context = {});
