// Records written as RFC 4180 text: a field is quoted only when it holds the delimiter, a
// quote or a line end.
#pragma once

#include "batch/text_encoding.h"

#include <cstdio>
#include <string>
#include <string_view>

class CsvWriter {
  public:
    // Writes to `out`, which must outlive the writer, in large pieces: a logbook's rows
    // are short, and handing each field to stdio on its own costs more than the field.
    // The text is given in UTF-8 and written in `encoding`.
    CsvWriter(std::FILE* out, char delimiter, bool crlf,
              TextEncoding encoding = TextEncoding::Utf8);
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
    // Whether a write has failed so far, and the system's error number for it (0 unknown).
    bool Failed() const { return failed_; }
    int ErrorNumber() const { return error_; }

  private:
    void PassOn();
    void Fail();

    std::FILE* out_;
    char delimiter_;
    bool crlf_;
    TextEncoding encoding_;
    bool firstInRecord_ = true;
    std::string pending_;
    std::string encoded_;
    bool failed_ = false;
    int error_ = 0;
};
