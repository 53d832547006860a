#include "batch/csv_writer.h"

namespace {

constexpr std::size_t PassOnBytes = 1 << 16;

} // namespace

CsvWriter::CsvWriter(std::FILE* out, char delimiter, bool crlf)
    : out_(out), delimiter_(delimiter), crlf_(crlf) {
    pending_.reserve(PassOnBytes + 4096);
}

CsvWriter::~CsvWriter() {
    PassOn();
}

void CsvWriter::Raw(std::string_view bytes) {
    pending_ += bytes;
}

void CsvWriter::Field(std::string_view text) {
    if (!firstInRecord_) {
        pending_ += delimiter_;
    }
    firstInRecord_ = false;
    bool plain = true;
    for (const char c : text) {
        if (c == delimiter_ || c == '"' || c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    }
    if (plain) {
        pending_ += text;
        return;
    }
    pending_ += '"';
    for (const char c : text) {
        if (c == '"') {
            pending_ += '"';
        }
        pending_ += c;
    }
    pending_ += '"';
}

void CsvWriter::EndRecord() {
    pending_ += crlf_ ? "\r\n" : "\n";
    firstInRecord_ = true;
    if (pending_.size() >= PassOnBytes) {
        PassOn();
    }
}

bool CsvWriter::Flush() {
    PassOn();
    failed_ = failed_ || std::fflush(out_) != 0 || std::ferror(out_) != 0;
    return !failed_;
}

void CsvWriter::PassOn() {
    if (!pending_.empty() &&
        std::fwrite(pending_.data(), 1, pending_.size(), out_) != pending_.size()) {
        failed_ = true;
    }
    pending_.clear();
}
