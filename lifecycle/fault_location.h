// Where the program is, for the report of a trapped fault. Readable from a signal
// handler: it is one atomic index, never a string object.
#pragma once

enum class FaultLocation : int {
    None = 0,
    Main = 1,
    Auto = 2,
    Child = 3,
};

void SetFaultLocation(FaultLocation location);
FaultLocation CurrentFaultLocation();
// "Main", "Auto", "Child", or "" before the trap is installed.
const char* FaultLocationText(FaultLocation location);
