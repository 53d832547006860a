// A bounded text buffer that never allocates, for building text in a signal handler.
// Text beyond the capacity is dropped and remembered as truncation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

template <std::size_t Capacity> class FixedText {
  public:
    void Append(std::string_view text) {
        for (const char c : text) {
            Append(c);
        }
    }

    void Append(char c) {
        if (size_ < Capacity) {
            bytes_[size_++] = c;
        } else {
            truncated_ = true;
        }
    }

    // At least minDigits digits, with leading zeros; a '-' before a negative number.
    void AppendNumber(std::int64_t value, int minDigits) {
        std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        std::array<char, 20> digits{};
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) {
            Append('-');
        }
        for (int i = count; i < minDigits; ++i) {
            Append('0');
        }
        while (count > 0) {
            Append(digits[--count]);
        }
    }

    std::string_view View() const { return {bytes_.data(), size_}; }
    // The text with a terminating NUL, for system calls. The NUL is not part of View().
    const char* CString() {
        bytes_[size_] = '\0';
        return bytes_.data();
    }
    bool Truncated() const { return truncated_; }

  private:
    std::array<char, Capacity + 1> bytes_{}; // one more for the NUL of CString
    std::size_t size_ = 0;
    bool truncated_ = false;
};
