// The trap's state and its report, the same on every platform; the handlers themselves
// are the platform's (trap_steps.h).
#include "lifecycle/fatal_error_trap.h"

#include "common/removed_on_fault.h"
#include "lifecycle/error_log.h"
#include "lifecycle/fault_location.h"
#include "lifecycle/trap_steps.h"

namespace {

bool installed = false;

} // namespace

bool InstallFatalErrorTrap() {
    if (!installed && !TakeOverFaults()) {
        return false;
    }
    installed = true;
    SetFaultLocation(FaultLocation::Main);
    return true;
}

void RemoveFatalErrorTrap() {
    if (installed) {
        GiveBackFaults();
        installed = false;
    }
}

bool FatalErrorTrapInstalled() {
    return installed;
}

void ReportTrappedFault(const char* message, common::Date now) {
    const char* location = FaultLocationText(CurrentFaultLocation());
    // The temporary file of a save in progress would otherwise stay behind for good.
    RemoveRegisteredFilesAfterFault();
    LogEntryText entry;
    ComposeLogEntry(now, message, location, entry);
    // A log that cannot be written is passed over: the box is still shown.
    AppendToErrorLog(entry.View());
    ShowReportBox(message, location);
}

FixedText<512> ReportBoxText(const char* message, const char* location) {
    FixedText<512> text;
    text.Append(FatalReportTitle);
    text.Append("\nГрешката е: ");
    text.Append(message);
    text.Append(" в ");
    text.Append(location);
    text.Append('\n');
    return text;
}
