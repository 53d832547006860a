// Turning the program's save-dialog arguments into what the dialog shows first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

struct FileFilter {
    std::string description; // "Pic (*.jpg)"
    std::string patterns;    // "*.jpg", several separated by ';'
};

// "description|filter|description|filter..."; an unpaired description is ignored.
std::vector<FileFilter> ParseFilterPattern(std::string_view pattern);

// The filter as the file dialog lists it: "description (pattern pattern...)", without
// repeating patterns that the description already shows in parentheses at its end.
std::string DialogNameFilter(const FileFilter& filter);

struct DefaultFile {
    std::string folder;       // "" when none was given
    std::string proposedName; // "" when none or when it is not a usable name
};

// Split at the last separator ('/' or '\'); a proposed name with a control character
// or one of " * / : < > ? \ | is dropped.
DefaultFile SplitDefaultFile(std::string_view defaultFile);

} // namespace toolkit
