// The menu commands of the main window and the viewer's toolbar.
#pragma once

#include "ui/program_state.h"

#include <optional>
#include <string_view>

// A menu entry that opens a help page, and the viewer area it asks for.
struct PageCommand {
    int pageId = 0;
    int width = 0;
    int height = 0;
};

// The page a command opens, nothing for a command that opens none.
std::optional<PageCommand> PageOfCommand(int commandId);

// Carries out one menu command or viewer toolbar button (CommandId); any other id
// does nothing.
void RunMenuCommand(ProgramState& state, int commandId);

// The check mark of the ice item and the status text that go with the cover.
void ShowWetBulbCover(WetBulbCover cover);
