// The trap for run-time faults that nothing else handles. A trapped fault is written to
// "ErrorLog.dat" in the working directory, reported in the box "Фатална грешка!" by a
// fresh copy of the program, and then ends the process with exit status 1.
//
// POSIX (posix/fatal_error_trap.cpp): SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP and SIGABRT
// are trapped (the last has no code of its own and is reported as "Unknown error code").
// The handlers run on an alternate signal stack, so a stack overflow is caught too.
// Windows (windows/fatal_error_trap.cpp): the unhandled-exception filter, with the
// exception's own code; a stack guarantee leaves the filter room after a stack overflow.
#pragma once

#include <string_view>

// Installs the trap, remembering the handlers in force before, and sets the fault
// location to "Main". SIGXFSZ is ignored from then on, for good: an oversized write fails
// with EFBIG rather than ending the process. A trapped fault first removes the files
// registered with RemovedOnFault. Returns false when the handlers could not be installed (the
// program then runs without the trap). Installing twice does nothing the second time.
bool InstallFatalErrorTrap();

// Gives back the handlers that were in force before InstallFatalErrorTrap. Does nothing
// when the trap is not installed.
void RemoveFatalErrorTrap();

bool FatalErrorTrapInstalled();

// The log's date is taken from the realtime clock and the UTC offset found when the trap
// was installed (the time zone cannot be asked inside the handler). Calling this now and
// then (e.g. from the clock tick) follows a change to or from summer time. Cheap.
void RefreshFatalErrorTrapClock();

// Call first thing in main(). When this process was started by the trap to show the
// report of a fault, shows only the box "Фатална грешка!" (or, without a display, writes
// its text to stderr) and returns the status main() should return. Otherwise returns -1
// and touches nothing.
int RunFatalReportIfAsked(int argc, char** argv);

// The first argument that marks a copy of the program started to show a fault's report;
// the message and the location follow it.
inline constexpr const char* FatalReportMarker = "--zorvel-fatal-report";
// The caption of the report box.
inline constexpr std::string_view FatalReportTitle = "Фатална грешка!";
