#include "toolkit/save_dialog_setup.h"

#include <algorithm>

namespace toolkit {
namespace {

std::vector<std::string_view> SplitAtBars(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos) {
            return parts;
        }
        start = bar + 1;
    }
}

bool IsForbiddenInName(char c) {
    return static_cast<unsigned char>(c) < 32 ||
           std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos;
}

} // namespace

std::vector<FileFilter> ParseFilterPattern(std::string_view pattern) {
    std::vector<FileFilter> filters;
    if (pattern.empty()) {
        return filters;
    }
    const std::vector<std::string_view> parts = SplitAtBars(pattern);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        filters.push_back({std::string(parts[i]), std::string(parts[i + 1])});
    }
    return filters;
}

std::string DialogNameFilter(const FileFilter& filter) {
    std::string patterns = filter.patterns;
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    const std::string shown = "(" + patterns + ")";
    if (filter.description.ends_with(shown)) {
        return filter.description;
    }
    return filter.description + " " + shown;
}

DefaultFile SplitDefaultFile(std::string_view defaultFile) {
    DefaultFile split;
    const std::size_t separator = defaultFile.find_last_of("/\\");
    std::string_view name = defaultFile;
    if (separator != std::string_view::npos) {
        // "/name" lies in the root folder, which keeps its separator.
        split.folder = std::string(defaultFile.substr(0, std::max<std::size_t>(separator, 1)));
        name = defaultFile.substr(separator + 1);
    }
    if (std::none_of(name.begin(), name.end(), IsForbiddenInName)) {
        split.proposedName = std::string(name);
    }
    return split;
}

} // namespace toolkit
