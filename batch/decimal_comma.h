// Spreadsheets set to a locale with a decimal comma write 20,5 where the calculator reads
// 20.5; they put ';' or a tab between cells then, and with ',' as delimiter a comma cannot
// be part of a number anyway.
#pragma once

#include <algorithm>
#include <string>

inline bool ReadsDecimalComma(char delimiter) {
    return delimiter == ';' || delimiter == '\t';
}

inline void UseDecimalPoint(std::string& text) {
    std::replace(text.begin(), text.end(), ',', '.');
}

// A spreadsheet with a decimal comma reads "14.3" as a date or a text.
inline void UseDecimalComma(std::string& text) {
    std::replace(text.begin(), text.end(), '.', ',');
}
