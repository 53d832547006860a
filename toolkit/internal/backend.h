// What the platform-free part of the toolkit asks of the backend built with it (qt/ or
// win32/): its books, and the few answers only the platform has. Everything else the
// platform-free part does itself (bookkeeping.cpp).
#pragma once

#include "internal/object_tables.h"

#include <string_view>

namespace toolkit {

// The backend's tables as the platform-free part sees them.
ToolkitBooks& Books();
// Whether InitToolkit has succeeded and the toolkit is not shut down again.
bool Started();
// Waits for the platform's next message and dispatches it, which may queue events; false
// when the platform has none to give any more (a quit request from outside).
bool DispatchNextMessage();
// The platform's modal box with one OK button (flags are the platform's box type); 1 once
// it is closed, 0 when none can be shown.
int ShowMessageBox(std::string_view title, std::string_view text, unsigned flags);

} // namespace toolkit
