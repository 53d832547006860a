// The program's entry: start-up, the event loop and the end.
#pragma once

// Runs the whole program; returns the process exit status when it cannot start.
int StartProgram(int argc, char** argv);
