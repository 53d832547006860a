// File names and arguments cross into the program as UTF-8 on every platform. On Windows
// the narrow command line and fopen speak the ANSI code page, so these take the wide ones
// (one file per platform).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// fopen(path, "rb") for a name in UTF-8; nullptr with errno set when it fails.
std::FILE* OpenForReading(const std::string& path);
