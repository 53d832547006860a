// Rows that do not fit the header: they are copied through with what is wrong with them in
// the error column, and the run goes on.
#pragma once

#include "batch/csv_reader.h"
#include "batch/row_messages.h"

#include <string>
#include <vector>

// Empty cells beyond the header's width are dropped (spreadsheets add them). The text of
// what is wrong with the row, or "" when it fits: a fault of its quoting, or a number of
// cells other than the header's. Read with `delimiter` ',', a row whose extra cells look
// like the halves of numbers split at a decimal comma gets a hint how to save the file.
std::string RowShapeProblem(std::vector<std::string>& fields, std::size_t headerWidth,
                            RecordFault fault, char delimiter, MessageLanguage language);
