#include "ui/program_icon.h"

// Assembled per executable format by ui/posix or ui/windows program_icon_data.cpp.
extern "C" {
extern const unsigned char zorvel_icon_start[];
extern const unsigned char zorvel_icon_end[];
}

std::span<const unsigned char> ProgramIconFile() {
    return {zorvel_icon_start, zorvel_icon_end};
}
