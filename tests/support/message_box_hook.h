// How a test hands its message-box log to a program it starts: through the environment,
// read only by the test programs' own entries (the shipped program never reads it). A
// copy started by the fault trap inherits it, so its report box is captured too.
#pragma once

#include "ui/toolkit/toolkit.h"

#include <cstdlib>

inline constexpr const char* MessageBoxLogVariable = "ZORVEL_MESSAGEBOX_LOG";

// When the variable is set, message boxes are appended to that file instead of shown.
inline void UseMessageBoxLogFromEnvironment() {
    if (const char* log = std::getenv(MessageBoxLogVariable); log != nullptr && *log != '\0') {
        toolkit::SetMessageBoxLog(log);
    }
}
