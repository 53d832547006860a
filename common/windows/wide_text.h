// Texts are UTF-8 inside the program and UTF-16 at the Win32 calls; these convert at the
// call, for the toolkit's windows and the files alike. Only the Windows files include
// this header.
#pragma once

#include <string>
#include <string_view>

namespace common {

// One rule both ways: what is not a character (bytes that are not UTF-8, an unpaired
// surrogate) becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// Whether the bytes are UTF-8 throughout. A name that is not names no file, so the file
// functions ask before they convert.
bool IsUtf8(std::string_view text);

} // namespace common
