// Hooks for automated checks: ways to answer the toolkit's modal dialogs without a person.
// Only tests and the test programs' own entries include this header; the shipped
// program never sets them, so its dialogs always show.
#pragma once

#include <string_view>

namespace toolkit {

// When path is not empty, MessageBox shows no window: it appends the line
// "<title>|<text>\n" to that file and returns 1 as if OK had been pressed.
void SetMessageBoxLog(std::string_view path);
// When path is not empty, PrintDialog shows no dialog and accepts a printer that writes
// to that file: a PDF (A4, 600 dpi, minimal margins) on Qt; on Win32 a 24-bit bitmap
// file of the whole A4 page at 600 dpi, which is all printable.
void SetPrintToFile(std::string_view path);

} // namespace toolkit
