// Opens all nine help pages in the calculator, built from the program's own libraries
// and driven through its own loop turns. Prints the peak resident memory in kB with the
// main window alone, then after the pages, the count of pages opened, and the resident
// memory in kB once the last page's viewer has been closed.
#include "toolkit/toolkit.h"
#include "ui/commands.h"
#include "ui/event_loop.h"
#include "ui/main_window.h"
#include "ui/program_ids.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

long ResidentKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}

// Lets the loop handle what the platform queued (clock ticks, painting) for a few turns.
void RunTurns(ProgramState& state, const TurnContext& context, int turns) {
    for (int i = 0; i < turns; ++i) {
        const toolkit::EventKind kind = toolkit::WaitEvent();
        RunTurn(state, context, kind, toolkit::EventObject(), toolkit::EventWindow());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!toolkit::InitToolkit(argc, argv)) {
        std::fprintf(stderr, "pages probe: no display\n");
        return 1;
    }
    ProgramState state;
    const TurnContext context;
    BuildMainWindowFrame(state);
    BuildMainWindowContents(state);
    RunTurns(state, context, 3);
    const long windowPeakKb = ResidentKb("VmHWM");
    int opened = 0;
    // Every menu command that opens a page, in the order of their ids.
    for (int command = Id(CommandId::HpaCommand); command <= Id(CommandId::QuitCommand);
         ++command) {
        if (PageOfCommand(command)) {
            RunTurn(state, context, toolkit::MenuEvent, command, Id(WindowId::MainWindow));
            RunTurns(state, context, 3);
            ++opened;
        }
    }
    const long pagesPeakKb = ResidentKb("VmHWM");
    RunTurn(state, context, toolkit::CloseEvent, 0, Id(WindowId::PageViewerWindow));
    RunTurns(state, context, 3);
    std::printf("%ld %ld %d %ld\n", windowPeakKb, pagesPeakKb, opened, ResidentKb("VmRSS"));
    std::fflush(stdout);
    toolkit::CloseAllWindows();
    toolkit::ShutDownToolkit();
    return 0;
}
