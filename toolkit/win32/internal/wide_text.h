// Texts cross the seam as UTF-8; Win32 wants UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace toolkit::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

} // namespace toolkit::win32
