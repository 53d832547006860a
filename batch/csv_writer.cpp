#include "batch/csv_writer.h"

#include <cerrno>

namespace {

constexpr std::size_t PassOnBytes = 1 << 16;

} // namespace

CsvWriter::CsvWriter(std::FILE* out, char delimiter, bool crlf, TextEncoding encoding)
    : out_(out), delimiter_(delimiter), crlf_(crlf), encoding_(encoding) {
    pending_.reserve(PassOnBytes + 4096);
}

CsvWriter::~CsvWriter() {
    PassOn();
}

void CsvWriter::Raw(std::string_view bytes) {
    PassOn();
    // An empty view may hold no pointer at all, which fwrite must never be given.
    if (!failed_ && !bytes.empty() &&
        std::fwrite(bytes.data(), 1, bytes.size(), out_) != bytes.size()) {
        Fail();
    }
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
    if (!failed_ && (std::fflush(out_) != 0 || std::ferror(out_) != 0)) {
        Fail();
    }
    return !failed_;
}

void CsvWriter::PassOn() {
    // Nothing more is written after a failure: the table is lost anyway, and a second
    // attempt would only hide the first reason.
    if (pending_.empty() || failed_) {
        pending_.clear();
        return;
    }
    std::string_view bytes = pending_;
    if (encoding_ != TextEncoding::Utf8) {
        encoded_.clear();
        AppendEncoded(pending_, encoding_, encoded_);
        bytes = encoded_;
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out_) != bytes.size() ||
        std::ferror(out_) != 0) {
        Fail();
    }
    pending_.clear();
}

void CsvWriter::Fail() {
    failed_ = true;
    error_ = errno;
}
