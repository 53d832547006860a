// Records of a delimited text file, read as they come so that a file of any length needs
// the same memory: RFC 4180 quoting, a UTF-8 byte-order mark, CRLF or LF line ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class RecordStatus : std::uint8_t {
    Record,
    End,
    UnclosedQuote, // the file ends inside a quoted field
    ReadError,
};

class CsvReader {
  public:
    // Reads from `in`, which must outlive the reader. The first buffer is read at once, to
    // tell the delimiter and the line end from the header line.
    explicit CsvReader(std::FILE* in);

    // Lines that hold nothing, and records whose every field is empty (what a spreadsheet
    // writes for a blank row), are skipped.
    RecordStatus Next(std::vector<std::string>& fields);

    // ';' or '\t' when the header line has more of it outside quotes than of ',' (and of
    // the other), otherwise ','.
    char Delimiter() const { return delimiter_; }
    bool HasByteOrderMark() const { return byteOrderMark_; }
    bool UsesCrlf() const { return crlf_; }
    // The line on which the last record began (or the unclosed quote), counting from 1.
    std::uint64_t RecordLine() const { return recordLine_; }
    std::uint64_t BytesConsumed() const { return consumed_ + position_; }

  private:
    int Get();
    bool Refill();
    void DetectHeaderLayout();
    RecordStatus ReadFields(std::vector<std::string>& fields);
    // After a '\r': a following '\n' belongs to the same line end.
    void SkipLineFeed();

    std::FILE* in_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::uint64_t consumed_ = 0;
    bool failed_ = false;
    char delimiter_ = ',';
    bool byteOrderMark_ = false;
    bool crlf_ = false;
    std::uint64_t line_ = 1;
    std::uint64_t recordLine_ = 1;
};
