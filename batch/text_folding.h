// Header names and unit words compared as a person would: letter case and the spaces a
// spreadsheet leaves around a cell do not count, in Latin and in Cyrillic alike.
#pragma once

#include <string>
#include <string_view>

// `text` without surrounding spaces and tabs, with A-Z and the Cyrillic capitals
// (U+0400 to U+042F) lowered; other bytes, valid UTF-8 or not, pass unchanged.
std::string FoldForMatching(std::string_view text);
