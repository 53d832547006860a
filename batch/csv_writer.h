// Records written as RFC 4180 text: a field is quoted only when it holds the delimiter, a
// quote or a line end.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class CsvWriter {
  public:
    // Writes to `out`, which must outlive the writer, in large pieces: a logbook's rows
    // are short, and handing each field to stdio on its own costs more than the field.
    CsvWriter(std::FILE* out, char delimiter, bool crlf);
    // Passes on what is still held; call Flush to know whether that succeeded.
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // Bytes outside any record, such as a byte-order mark.
    void Raw(std::string_view bytes);
    void Field(std::string_view text);
    void EndRecord();
    // Passes everything written so far to the stream and flushes it; false when any
    // write, now or before, failed.
    bool Flush();

  private:
    void PassOn();

    std::FILE* out_;
    char delimiter_;
    bool crlf_;
    bool firstInRecord_ = true;
    std::string pending_;
    bool failed_ = false;
};
