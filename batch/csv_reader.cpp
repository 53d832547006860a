#include "batch/csv_reader.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::size_t BufferBytes = 1 << 16;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool AllEmpty(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& field) { return field.empty(); });
}

} // namespace

CsvReader::CsvReader(std::FILE* in) : in_(in), buffer_(BufferBytes) {
    Refill();
    if (std::string_view(buffer_.data(), end_).starts_with(ByteOrderMark)) {
        byteOrderMark_ = true;
        position_ = ByteOrderMark.size();
    }
    DetectHeaderLayout();
}

bool CsvReader::Refill() {
    if (failed_ || in_ == nullptr) {
        return false;
    }
    consumed_ += end_;
    position_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
    if (end_ == 0) {
        failed_ = std::ferror(in_) != 0;
        return false;
    }
    return true;
}

inline int CsvReader::Get() {
    if (position_ == end_ && !Refill()) {
        return EOF;
    }
    return static_cast<unsigned char>(buffer_[position_++]);
}

void CsvReader::SkipLineFeed() {
    if (position_ == end_) {
        Refill();
    }
    if (position_ < end_ && buffer_[position_] == '\n') {
        ++position_;
    }
}

void CsvReader::DetectHeaderLayout() {
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
            crlf_ = c == '\r' && at + 1 < end_ && buffer_[at + 1] == '\n';
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
            return status;
        }
    }
}

RecordStatus CsvReader::ReadFields(std::vector<std::string>& fields) {
    fields.clear();
    recordLine_ = line_;
    int c = Get();
    if (c == EOF) {
        return failed_ ? RecordStatus::ReadError : RecordStatus::End;
    }
    fields.emplace_back();
    for (;;) {
        std::string& field = fields.back();
        if (c == '"' && field.empty()) {
            // Quoted: everything up to the closing quote, a doubled quote standing for one.
            for (;;) {
                c = Get();
                if (c == EOF) {
                    return failed_ ? RecordStatus::ReadError : RecordStatus::UnclosedQuote;
                }
                if (c == '"') {
                    c = Get();
                    if (c != '"') {
                        break;
                    }
                } else if (c == '\n') {
                    ++line_;
                }
                field += static_cast<char>(c);
            }
            // Anything between the closing quote and the delimiter is kept as it stands.
            continue;
        }
        if (c == delimiter_) {
            fields.emplace_back();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r') {
                SkipLineFeed();
            }
            ++line_;
            return RecordStatus::Record;
        } else if (c == EOF) {
            return failed_ ? RecordStatus::ReadError : RecordStatus::Record;
        } else {
            field += static_cast<char>(c);
            // The rest of an unquoted field, taken from the buffer in one piece.
            const std::size_t start = position_;
            while (position_ < end_ && buffer_[position_] != delimiter_ &&
                   buffer_[position_] != '\n' && buffer_[position_] != '\r') {
                ++position_;
            }
            field.append(buffer_.data() + start, position_ - start);
        }
        c = Get();
    }
}
