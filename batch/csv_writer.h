// Records written as RFC 4180 text: a field is quoted only when it holds the delimiter, a
// quote or a line end.
#pragma once

#include <cstdio>
#include <string_view>

class CsvWriter {
  public:
    // Writes to `out`, which must outlive the writer.
    CsvWriter(std::FILE* out, char delimiter, bool crlf);

    void Field(std::string_view text);
    void EndRecord();
    // False once any write has failed.
    bool Good() const { return std::ferror(out_) == 0; }

  private:
    std::FILE* out_;
    char delimiter_;
    bool crlf_;
    bool firstInRecord_ = true;
};
