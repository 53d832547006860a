// A logbook's bytes as UTF-8, whatever encoding it was saved in: the encoding is told by a
// byte-order mark, by the caller, or (a header that is not valid UTF-8) taken to be
// Windows-1251, what Excel writes on a Bulgarian Windows.
#pragma once

#include "batch/text_encoding.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

class DecodedInput {
  public:
    // Reads from `in`, which must outlive this, and decides the encoding on the first
    // bytes; `forced` overrides every guess (a byte-order mark is still skipped).
    DecodedInput(std::FILE* in, std::optional<TextEncoding> forced);

    // Up to `size` bytes of UTF-8 into `into`; 0 at the end of the input or after a
    // failed read.
    std::size_t Read(char* into, std::size_t size);

    TextEncoding Encoding() const { return encoding_; }
    // True when Windows-1251 was chosen because the header was not valid UTF-8.
    bool GuessedWindows1251() const { return guessed_; }
    bool HadByteOrderMark() const { return byteOrderMark_; }
    bool Failed() const { return error_ != 0; }
    int ErrorNumber() const { return error_; }
    // Bytes taken from the file so far, for the progress line.
    std::uint64_t RawBytesRead() const { return rawRead_; }

  private:
    std::size_t ReadRaw(char* into, std::size_t size);
    void Decide(std::optional<TextEncoding> forced);
    bool DecodeMore();

    std::FILE* in_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool guessed_ = false;
    bool byteOrderMark_ = false;
    int error_ = 0;
    std::uint64_t rawRead_ = 0;
    std::vector<char> raw_;
    std::size_t rawStart_ = 0;
    std::size_t rawEnd_ = 0;
    std::string decoded_;
    std::size_t decodedAt_ = 0;
    std::string carried_; // a UTF-16 unit or surrogate pair cut by the end of a read
};
