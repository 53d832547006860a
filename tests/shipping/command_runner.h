// Running a shell command from a test and keeping what it printed.
#pragma once

#include <string>

struct CommandResult {
    int exitCode = -1;  // -1 when the command could not be run or did not exit normally
    std::string output; // standard output and standard error together
};

CommandResult RunCommand(const std::string& command);

// Wraps text in single quotes for the shell.
std::string ShellQuote(const std::string& text);
