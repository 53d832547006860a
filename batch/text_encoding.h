// The character encodings a logbook comes in and can be written back in: what Excel
// writes on a Bulgarian Windows besides UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding : std::uint8_t { Utf8, Windows1251, Utf16Le, Utf16Be };

// utf-8, windows-1251 (cp1251) or utf-16 (utf-16le, utf-16be); letter case does not count.
// Plain utf-16 means little-endian unless a byte-order mark says otherwise.
std::optional<TextEncoding> ParseEncodingName(std::string_view name);

// Whether `bytes` is valid UTF-8; a sequence cut off by the end of `bytes` counts as valid,
// since the rest of it may simply not have been read yet.
bool IsValidUtf8Start(std::string_view bytes);

// Appends one code point as UTF-8.
void AppendUtf8(char32_t code, std::string& out);

// Windows-1251 bytes as UTF-8.
void AppendWindows1251AsUtf8(std::string_view bytes, std::string& out);

// UTF-8 text in `encoding`. A character Windows-1251 has no byte for becomes '?', an
// invalid UTF-8 byte U+FFFD (or '?').
void AppendEncoded(std::string_view utf8, TextEncoding encoding, std::string& out);

// The byte-order mark that starts a text in `encoding` ("" for Windows-1251).
std::string_view ByteOrderMark(TextEncoding encoding);
