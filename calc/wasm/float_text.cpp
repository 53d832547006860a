// Emscripten's libc++ has neither from_chars nor to_chars for floats yet. Its C library
// knows no locale but "C", so strtof and snprintf use '.' there; both are exact, as the
// C++ conversions are.
#include "calc/float_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

NearestSingle ReadNearestSingle(std::string_view number) {
    NearestSingle read;
    const std::string text(number);
    char* end = nullptr;
    errno = 0;
    read.value = std::strtof(text.c_str(), &end);
    // strtof also says ERANGE of a subnormal result, which from_chars takes as it is.
    read.outOfRange = errno == ERANGE && (read.value == 0 || std::isinf(read.value));
    read.whole = !read.outOfRange && end == text.c_str() + text.size();
    return read;
}

std::string FixedDecimalText(double magnitude, int decimals) {
    std::string text(64 + static_cast<std::size_t>(decimals), '\0');
    const int written = std::snprintf(text.data(), text.size(), "%.*f", decimals, magnitude);
    text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return text;
}

// The chart's tick values lie where to_chars writes the fixed form: the fewest decimals
// that read back as the value.
std::string ShortestText(float value) {
    char text[64];
    for (int decimals = 0; decimals < 50; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) {
            break;
        }
    }
    return text;
}
