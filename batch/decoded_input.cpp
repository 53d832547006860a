#include "batch/decoded_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t RawBytes = 1 << 16;

// The first line of `bytes`, where the header is.
std::string_view FirstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\n'));
}

} // namespace

DecodedInput::DecodedInput(std::FILE* in, std::optional<TextEncoding> forced)
    : in_(in), raw_(RawBytes) {
    rawEnd_ = ReadRaw(raw_.data(), raw_.size());
    Decide(forced);
}

std::size_t DecodedInput::ReadRaw(char* into, std::size_t size) {
    if (error_ != 0) {
        return 0;
    }
    errno = 0;
    const std::size_t got = std::fread(into, 1, size, in_);
    if (got < size && std::ferror(in_) != 0) {
        error_ = errno != 0 ? errno : EIO;
    }
    rawRead_ += got;
    return got;
}

void DecodedInput::Decide(std::optional<TextEncoding> forced) {
    const std::string_view start(raw_.data(), rawEnd_);
    for (const TextEncoding marked :
         {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
        const bool utf16Forced = forced == TextEncoding::Utf16Le || forced == TextEncoding::Utf16Be;
        if (start.starts_with(ByteOrderMark(marked)) &&
            (!forced || forced == marked || (utf16Forced && marked != TextEncoding::Utf8))) {
            byteOrderMark_ = true;
            rawStart_ = ByteOrderMark(marked).size();
            encoding_ = marked;
            return;
        }
    }
    if (forced) {
        encoding_ = *forced;
        return;
    }
    if (!IsValidUtf8Start(FirstLine(start))) {
        encoding_ = TextEncoding::Windows1251;
        guessed_ = true;
    }
}

bool DecodedInput::DecodeMore() {
    decoded_.clear();
    decodedAt_ = 0;
    if (rawStart_ == rawEnd_) {
        rawStart_ = 0;
        rawEnd_ = ReadRaw(raw_.data(), raw_.size());
        if (rawEnd_ == 0) {
            return false;
        }
    }
    std::string_view bytes(raw_.data() + rawStart_, rawEnd_ - rawStart_);
    rawStart_ = rawEnd_;
    if (encoding_ == TextEncoding::Windows1251) {
        AppendWindows1251AsUtf8(bytes, decoded_);
        return true;
    }
    // UTF-16: whole units only; a unit or a surrogate pair cut by the read waits for the rest.
    carried_.append(bytes);
    const bool bigEndian = encoding_ == TextEncoding::Utf16Be;
    std::size_t at = 0;
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(carried_[i]);
        const auto second = static_cast<unsigned char>(carried_[i + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    while (at + 2 <= carried_.size()) {
        const char32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (at + 4 > carried_.size()) {
                break;
            }
            const char32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), decoded_);
                at += 4;
                continue;
            }
        }
        const bool lone = unit >= 0xD800 && unit <= 0xDFFF;
        AppendUtf8(lone ? 0xFFFD : unit, decoded_);
        at += 2;
    }
    carried_.erase(0, at);
    return true;
}

std::size_t DecodedInput::Read(char* into, std::size_t size) {
    if (encoding_ == TextEncoding::Utf8) {
        if (rawStart_ < rawEnd_) {
            const std::size_t count = std::min(size, rawEnd_ - rawStart_);
            std::memcpy(into, raw_.data() + rawStart_, count);
            rawStart_ += count;
            return count;
        }
        return ReadRaw(into, size);
    }
    while (decodedAt_ == decoded_.size()) {
        if (!DecodeMore()) {
            return 0;
        }
    }
    const std::size_t count = std::min(size, decoded_.size() - decodedAt_);
    std::memcpy(into, decoded_.data() + decodedAt_, count);
    decodedAt_ += count;
    return count;
}
