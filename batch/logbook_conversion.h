// A whole logbook, read row by row and written out with the results beside each row.
#pragma once

#include "batch/row_messages.h"
#include "calc/humidity_model.h"
#include "calc/input_reading.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

struct ConversionSettings {
    // Used for rows without a unit or type cell of their own.
    std::optional<BarometerUnit> unit;
    std::optional<PsychrometerType> type;
    // The input's own delimiter when not given.
    std::optional<char> outputDelimiter;
    bool extended = false;
    MessageLanguage language = MessageLanguage::Bulgarian;
};

struct ConversionReport {
    std::uint64_t rows = 0;       // rows written after the header
    std::uint64_t failedRows = 0; // of those, rows with an error text
    // Set when the input could not be read to its end: what went wrong, and where.
    std::optional<std::string> inputError;
    std::uint64_t inputErrorLine = 0;
    bool writeFailed = false;
};

// Told of the rows done and input bytes consumed, every few thousand rows.
using ConversionProgress = std::function<void(std::uint64_t rows, std::uint64_t bytes)>;

ConversionReport ConvertLogbook(std::FILE* in, std::FILE* out, const ConversionSettings& settings,
                                const ConversionProgress& progress = {});
