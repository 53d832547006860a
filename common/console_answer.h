// A program's answer to --version or --help, on standard output. A Windows window program
// started from a command prompt has no standard output of its own: it answers in the
// console it was started from, in UTF-16 there so that Cyrillic shows whatever the
// console's code page (one file per platform).
#pragma once

#include <string_view>

// False when the text could not be written (a full disk, a closed pipe).
bool WriteAnswer(std::string_view utf8);
