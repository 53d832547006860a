// A whole logbook, read row by row and written out with the results beside each row.
#pragma once

#include "batch/csv_reader.h"
#include "batch/csv_writer.h"
#include "batch/logbook_row.h"
#include "batch/row_messages.h"
#include "batch/text_encoding.h"
#include "batch/thermometer_corrections.h"
#include "calc/humidity_model.h"
#include "calc/input_reading.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

enum class DecimalMark : std::uint8_t { Point, Comma };

struct ConversionSettings {
    // Used for rows without a unit, type or bulb cell of their own.
    std::optional<BarometerUnit> unit;
    std::optional<PsychrometerType> type;
    BulbChoice bulb = BulbChoice::Water;
    // The input's own delimiter when not given.
    std::optional<char> outputDelimiter;
    bool extended = false;
    MessageLanguage language = MessageLanguage::Bulgarian;
    // Guessed from the byte-order mark and the header when not given.
    std::optional<TextEncoding> inputEncoding;
    // The input's own when not given, so that a spreadsheet gets back what it wrote:
    // UTF-16 of either order as little-endian with its mark, as Excel writes it.
    std::optional<TextEncoding> outputEncoding;
    // Of the result cells: the input's own (a comma with ';' or tab between cells) when
    // not given.
    std::optional<DecimalMark> decimal;
    std::size_t maxRowBytes = CsvReader::DefaultMaxRecordBytes;
    // A psychrometer's own A0 for rows without a coefficient cell (see ParseCoefficient);
    // without one, each row's type decides as it always has.
    std::optional<float> coefficient;
    // The thermometers' calibration certificates, when given: the table then also holds
    // the corrected readings.
    ThermometerCorrections corrections;
    // Adds the SYNOP groups 1snTTT and 2snTdTdTd.
    bool synop = false;
    // A summary by day or month needs the rows' dates: a logbook without a date column is
    // refused before anything is written.
    bool dateColumnRequired = false;
};

// How the table is written, decided from the settings and the input's header: a second
// table of the same run (a summary) is written alike.
struct OutputFormat {
    char delimiter = ',';
    bool crlf = false;
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    bool decimalComma = false;
};

struct ConversionReport {
    std::uint64_t rows = 0;       // rows written after the header
    std::uint64_t failedRows = 0; // of those, rows with an error text
    // Set when the input could not be read to its end: what went wrong, and where.
    std::optional<std::string> inputError;
    std::uint64_t inputErrorLine = 0;
    // Reading stops at the first failed write; the system's error number of it (0 unknown).
    bool writeFailed = false;
    int writeError = 0;
    // The header was not valid UTF-8, so the input was read as Windows-1251.
    bool guessedWindows1251 = false;
    bool inputByteOrderMark = false;
    // Set once the header was read and the table begun.
    std::optional<OutputFormat> format;
    // dateColumnRequired, and the logbook has no date column: nothing was written.
    bool noDateColumn = false;
};

// Told of the rows done and input bytes consumed, every few thousand rows.
using ConversionProgress = std::function<void(std::uint64_t rows, std::uint64_t bytes)>;

// Told of every row the calculator computed, in order; rows with an error are not told.
using ComputedRowSink = std::function<void(const RowCells& cells)>;
// Told of every row written after the header, in order, those with an error too.
using WrittenRowSink = std::function<void(const RowCells& cells)>;

ConversionReport ConvertLogbook(std::FILE* in, std::FILE* out, const ConversionSettings& settings,
                                const ConversionProgress& progress = {},
                                const ComputedRowSink& computed = {},
                                const WrittenRowSink& written = {});

// Begins a table in `format` on `writer`: the byte-order mark, when it has one.
void BeginTable(CsvWriter& writer, const OutputFormat& format);

// `format` in UTF-8, with a mark only when the input had one: what a terminal or a pipe
// reads, whatever the files of the run are written in.
OutputFormat InUtf8(OutputFormat format, bool inputByteOrderMark);
