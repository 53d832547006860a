// Texts are UTF-8 inside the program and UTF-16 at the Win32 calls; these convert at the
// call. Only the Windows files include this header.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

// Empty optional when the bytes are not valid UTF-8 (such a name names no file).
std::optional<std::wstring> WideFromUtf8(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

} // namespace common
