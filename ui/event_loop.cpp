#include "ui/event_loop.h"

#include "ui/calculate_command.h"
#include "ui/field_entry.h"
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"
#include "ui/page_viewer.h"
#include "ui/commands.h"
#include "ui/main_window.h"

namespace {

constexpr int MainWindow = 0;
constexpr int ClockTimer = 123;
constexpr int StatusBar = 0;
constexpr int ClockField = 4;
constexpr int CalculateButton = 45;
constexpr int ClearButton = 66;

} // namespace

void RunTurn(ProgramState& state, const TurnContext& context, toolkit::EventKind kind, int objectId,
             int windowId) {
    SetFaultLocation(FaultLocation::Auto);

    if (kind == toolkit::TimerEvent && objectId == ClockTimer) {
        toolkit::SetStatusFieldText(StatusBar, ClockField,
                                    common::FormatDate("%hh:%ii:%ss", context.currentDate()),
                                    toolkit::RightAligned);
        // Lets a fault's log entry follow a change to or from summer time.
        RefreshFatalErrorTrapClock();
    }

    if (kind == toolkit::MenuEvent) {
        RunMenuCommand(state, objectId);
        // Opening the viewer made it the target; Clear must build in the main window.
        toolkit::UseGadgetTarget(MainWindow);
    }

    EmptyFieldOnEntry(state.input);

    if (kind == toolkit::ControlEvent) {
        if (objectId == CalculateButton) {
            if (CalculatePressed(state.input, state.barometerUnit, state.psychrometerType)) {
                toolkit::UseGadgetTarget(MainWindow);
            }
        } else if (objectId == ClearButton) {
            BuildMainWindowContents(state);
            return;
        }
    }

    if (kind == toolkit::CloseEvent) {
        if (windowId == MainWindow) {
            state.quitRequested = true;
        } else if (windowId == PageViewerWindow) {
            toolkit::CloseWindow(PageViewerWindow);
            toolkit::UseGadgetTarget(MainWindow);
        }
    }
}

void RunEventLoop(ProgramState& state, const TurnContext& context) {
    for (;;) {
        const toolkit::EventKind kind = toolkit::WaitEvent();
        RunTurn(state, context, kind, toolkit::EventObject(), toolkit::EventWindow());
        if (state.quitRequested) {
            return;
        }
    }
}
