// Records of a delimited text file, read as they come so that a file of any length needs
// the same memory: RFC 4180 quoting, CRLF or LF line ends, and a bound on one record.
#pragma once

#include "batch/decoded_input.h"

#include <cstdint>
#include <string>
#include <vector>

enum class RecordStatus : std::uint8_t {
    Record,
    End,
    TooLong, // the record is longer than the limit: nothing after it is read
    ReadError,
};

// What is wrong with a record that was read all the same.
enum class RecordFault : std::uint8_t {
    None,
    UnclosedQuote,  // the input ends inside a quoted field: the field ends with its line
    TextAfterQuote, // "x"tail: kept as xtail
};

class CsvReader {
  public:
    // A record may hold this many bytes; and a sixteenth as many cells, since an empty
    // cell costs memory too.
    static constexpr std::size_t DefaultMaxRecordBytes = 1 << 20;

    // Reads from `in`, which must outlive the reader. The first buffer is read at once, to
    // tell the delimiter from the header line.
    explicit CsvReader(DecodedInput& in, std::size_t maxRecordBytes = DefaultMaxRecordBytes);

    // Lines that hold nothing, and records whose every field is empty (what a spreadsheet
    // writes for a blank row), are skipped.
    RecordStatus Next(std::vector<std::string>& fields);
    // What is wrong with the record Next returned last.
    RecordFault Fault() const { return fault_; }

    // ';' or '\t' when the header line has more of it outside quotes than of ',' (and of
    // the other), otherwise ','.
    char Delimiter() const { return delimiter_; }
    // Whether the first record ended with CRLF.
    bool UsesCrlf() const { return crlf_; }
    // The line on which the last record began, counting from 1.
    std::uint64_t RecordLine() const { return recordLine_; }
    std::size_t MaxRecordBytes() const { return maxRecordBytes_; }
    std::size_t MaxCells() const;

  private:
    int Get();
    bool Refill();
    void DetectDelimiter();
    RecordStatus ReadFields(std::vector<std::string>& fields);
    // `next` gets what follows the closing quote.
    RecordStatus ReadQuoted(std::string& field, int& next);
    // After a '\r': a following '\n' belongs to the same line end. True when it was there.
    bool SkipLineFeed();
    bool OverLimit(const std::vector<std::string>& fields) const;
    // The input ended inside a quoted field that opened on `line`: the field ends with that
    // line, and what came after it is read again as records.
    void EndQuoteAtItsLine(std::string& field, std::uint64_t line);

    DecodedInput& in_;
    std::size_t maxRecordBytes_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::string again_; // bytes read once more before the buffer
    std::size_t againAt_ = 0;
    std::size_t recordBytes_ = 0;
    std::string quotedRaw_; // a quoted field's bytes as they came, for EndQuoteAtItsLine
    bool failed_ = false;
    char delimiter_ = ',';
    bool crlf_ = false;
    bool lastEndedCrlf_ = false;
    bool headerRead_ = false;
    RecordFault fault_ = RecordFault::None;
    std::uint64_t line_ = 1;
    std::uint64_t recordLine_ = 1;
};
