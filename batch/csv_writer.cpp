#include "batch/csv_writer.h"

CsvWriter::CsvWriter(std::FILE* out, char delimiter, bool crlf)
    : out_(out), delimiter_(delimiter), crlf_(crlf) {}

void CsvWriter::Field(std::string_view text) {
    if (!firstInRecord_) {
        std::fputc(delimiter_, out_);
    }
    firstInRecord_ = false;
    const char special[] = {delimiter_, '"', '\r', '\n'};
    if (text.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
        std::fwrite(text.data(), 1, text.size(), out_);
        return;
    }
    std::fputc('"', out_);
    for (const char c : text) {
        if (c == '"') {
            std::fputc('"', out_);
        }
        std::fputc(c, out_);
    }
    std::fputc('"', out_);
}

void CsvWriter::EndRecord() {
    std::fputs(crlf_ ? "\r\n" : "\n", out_);
    firstInRecord_ = true;
}
