#include "batch/csv_reader.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::size_t BufferBytes = 1 << 16;
constexpr std::size_t BytesPerCell = 16;

bool AllEmpty(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& field) { return field.empty(); });
}

} // namespace

CsvReader::CsvReader(DecodedInput& in, std::size_t maxRecordBytes)
    : in_(in), maxRecordBytes_(maxRecordBytes), buffer_(BufferBytes) {
    Refill();
    DetectDelimiter();
}

bool CsvReader::Refill() {
    if (failed_) {
        return false;
    }
    position_ = 0;
    end_ = in_.Read(buffer_.data(), buffer_.size());
    if (end_ == 0) {
        failed_ = in_.Failed();
        return false;
    }
    return true;
}

inline int CsvReader::Get() {
    ++recordBytes_;
    if (againAt_ < again_.size()) {
        return static_cast<unsigned char>(again_[againAt_++]);
    }
    if (position_ == end_ && !Refill()) {
        return EOF;
    }
    return static_cast<unsigned char>(buffer_[position_++]);
}

bool CsvReader::SkipLineFeed() {
    if (againAt_ < again_.size()) {
        const bool feed = again_[againAt_] == '\n';
        againAt_ += feed ? 1 : 0;
        return feed;
    }
    if (position_ == end_) {
        Refill();
    }
    if (position_ < end_ && buffer_[position_] == '\n') {
        ++position_;
        return true;
    }
    return false;
}

void CsvReader::DetectDelimiter() {
    // A header longer than the first buffer is decided on what the buffer holds.
    std::array<std::size_t, 3> counts{}; // ',', ';', '\t'
    bool quoted = false;
    std::size_t at = position_;
    while (at < end_ && (buffer_[at] == '\r' || buffer_[at] == '\n')) {
        ++at; // empty lines before the header
    }
    for (; at < end_; ++at) {
        const char c = buffer_[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == ',') {
            ++counts[0];
        } else if (c == ';') {
            ++counts[1];
        } else if (c == '\t') {
            ++counts[2];
        } else if (c == '\r' || c == '\n') {
            break;
        }
    }
    if (counts[1] > counts[0] && counts[1] >= counts[2]) {
        delimiter_ = ';';
    } else if (counts[2] > counts[0] && counts[2] > counts[1]) {
        delimiter_ = '\t';
    }
}

RecordStatus CsvReader::Next(std::vector<std::string>& fields) {
    for (;;) {
        const RecordStatus status = ReadFields(fields);
        if (status != RecordStatus::Record || !AllEmpty(fields)) {
            if (status == RecordStatus::Record && !headerRead_) {
                headerRead_ = true;
                crlf_ = lastEndedCrlf_;
            }
            return status;
        }
    }
}

std::size_t CsvReader::MaxCells() const {
    return std::max<std::size_t>(1, maxRecordBytes_ / BytesPerCell);
}

bool CsvReader::OverLimit(const std::vector<std::string>& fields) const {
    return recordBytes_ > maxRecordBytes_ || fields.size() > MaxCells();
}

void CsvReader::EndQuoteAtItsLine(std::string& field, std::uint64_t line) {
    const std::size_t lineEnd = quotedRaw_.find_first_of("\r\n");
    std::string rest;
    if (lineEnd != std::string::npos) {
        std::size_t next = lineEnd + 1;
        if (quotedRaw_[lineEnd] == '\r' && next < quotedRaw_.size() && quotedRaw_[next] == '\n') {
            ++next;
        }
        rest = quotedRaw_.substr(next);
    }
    field = quotedRaw_.substr(0, lineEnd);
    again_ = std::move(rest);
    againAt_ = 0;
    line_ = line + 1;
    fault_ = RecordFault::UnclosedQuote;
}

RecordStatus CsvReader::ReadQuoted(std::string& field, int& next) {
    // Everything up to the closing quote, a doubled quote standing for one.
    const std::uint64_t openedOn = line_;
    quotedRaw_.clear();
    for (;;) {
        int c = Get();
        if (c == EOF) {
            if (failed_) {
                return RecordStatus::ReadError;
            }
            EndQuoteAtItsLine(field, openedOn);
            return RecordStatus::Record;
        }
        quotedRaw_ += static_cast<char>(c);
        if (c == '"') {
            c = Get();
            if (c != '"') {
                next = c;
                return RecordStatus::Record;
            }
            quotedRaw_ += '"';
        } else if (c == '\n') {
            ++line_;
        }
        field += static_cast<char>(c);
        if (recordBytes_ > maxRecordBytes_) {
            return RecordStatus::TooLong;
        }
    }
}

RecordStatus CsvReader::ReadFields(std::vector<std::string>& fields) {
    fields.clear();
    fault_ = RecordFault::None;
    recordLine_ = line_;
    recordBytes_ = 0;
    int c = Get();
    if (c == EOF) {
        return failed_ ? RecordStatus::ReadError : RecordStatus::End;
    }
    fields.emplace_back();
    bool afterQuote = false;
    for (;;) {
        std::string& field = fields.back();
        if (c == '"' && field.empty() && !afterQuote) {
            const RecordStatus status = ReadQuoted(field, c);
            if (status != RecordStatus::Record || fault_ == RecordFault::UnclosedQuote) {
                return status;
            }
            afterQuote = true;
            continue; // c is what follows the closing quote
        }
        if (c == delimiter_) {
            fields.emplace_back();
            afterQuote = false;
        } else if (c == '\n' || c == '\r') {
            lastEndedCrlf_ = c == '\r' && SkipLineFeed();
            ++line_;
            return RecordStatus::Record;
        } else if (c == EOF) {
            return failed_ ? RecordStatus::ReadError : RecordStatus::Record;
        } else {
            if (afterQuote) {
                fault_ = RecordFault::TextAfterQuote;
            }
            field += static_cast<char>(c);
            // The rest of an unquoted field, taken from the buffer in one piece.
            if (againAt_ == again_.size()) {
                const std::size_t start = position_;
                while (position_ < end_ && buffer_[position_] != delimiter_ &&
                       buffer_[position_] != '\n' && buffer_[position_] != '\r') {
                    ++position_;
                }
                field.append(buffer_.data() + start, position_ - start);
                recordBytes_ += position_ - start;
            }
        }
        if (OverLimit(fields)) {
            return RecordStatus::TooLong;
        }
        c = Get();
    }
}
