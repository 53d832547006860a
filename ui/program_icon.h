// The program's own icon, carried inside the executable.
#pragma once

#include <span>

// The PNG file bytes of the 32 x 32 icon.
std::span<const unsigned char> ProgramIconFile();
