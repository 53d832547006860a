// What the fatal-error trap (fatal_error_trap.cpp) asks of the platform (posix/,
// windows/), and what the platform's handler shares with the other platform's. Only the
// trap's own files include this header.
#pragma once

#include "common/date.h"
#include "common/fixed_text.h"

// Makes the platform's handler (which reports through ReportTrappedFault) the handler of
// every fault of the process that nothing else handles, remembering the handling in force
// before; false when that could not be done, and nothing is changed then.
bool TakeOverFaults();
void GiveBackFaults();
// A fresh copy of the program shows the box: nothing of the faulted state (the toolkit,
// the heap, the event loop) is touched again. Waits until the box is closed; without a
// copy, the box's text goes to standard error.
void ShowReportBox(const char* message, const char* location);

// The report of a trapped fault, after the platform's handler has found its message and
// the time: the registered files go, the entry is logged and the box is shown. Safe in a
// signal handler, as all below is.
void ReportTrappedFault(const char* message, common::Date now);
// The box's text as standard error gets it.
FixedText<512> ReportBoxText(const char* message, const char* location);
