#include "ui/event_loop.h"

#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"
#include "ui/calculate_command.h"
#include "ui/chart_view.h"
#include "ui/commands.h"
#include "ui/field_entry.h"
#include "ui/main_window.h"
#include "ui/program_ids.h"

#include <utility>

namespace {

constexpr int MainWindow = Id(WindowId::MainWindow);

} // namespace

void RunTurn(ProgramState& state, const TurnContext& context, toolkit::EventKind kind, int objectId,
             int windowId) {
    SetFaultLocation(FaultLocation::Auto);

    if (kind == toolkit::TimerEvent && objectId == Id(TimerId::ClockTimer)) {
        toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar), Id(StatusFieldId::ClockField),
                                    common::FormatDate("%hh:%ii:%ss", context.currentDate()),
                                    toolkit::RightAligned);
        // Lets a fault's log entry follow a change to or from summer time.
        RefreshFatalErrorTrapClock();
    }

    // Restored, resized or maximized: the controls follow, or they would lie outside.
    if (kind == toolkit::SizeEvent && windowId == MainWindow) {
        FitMainWindowContents(state);
    }

    if (kind == toolkit::MenuEvent) {
        RunMenuCommand(state, objectId);
        // Opening the viewer made it the target; Clear must build in the main window.
        toolkit::UseGadgetTarget(MainWindow);
    }

    EmptyFieldOnEntry(state.input);

    if (kind == toolkit::ControlEvent) {
        if (objectId == Id(ControlId::CalculateButton)) {
            if (auto accepted = CalculatePressed(state.input, state.barometerUnit,
                                                 state.psychrometerType, state.wetBulbCover)) {
                state.lastCalculation = std::move(*accepted);
                FollowCalculation(state);
                toolkit::UseGadgetTarget(MainWindow);
            }
        } else if (objectId == Id(ControlId::ClearButton)) {
            BuildMainWindowContents(state);
            return;
        }
    }

    if (kind == toolkit::CloseEvent) {
        if (windowId == MainWindow) {
            state.quitRequested = true;
        } else if (windowId == Id(WindowId::PageViewerWindow)) {
            toolkit::CloseWindow(Id(WindowId::PageViewerWindow));
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
