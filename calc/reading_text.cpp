#include "calc/reading_text.h"

#include <algorithm>
#include <array>

namespace {

// Every unit text the calculator appends on write-back, without its leading spaces.
constexpr std::array<std::string_view, 5> UnitTexts = {"[°C]", "[hPa]", "[mB]", "[mmHg]", "[m]"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The white space ParseDecimal skips before a number.
bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return text.size() == word.size() &&
           std::equal(text.begin(), text.end(), word.begin(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

std::size_t SkipWhiteSpace(std::string_view text, std::size_t at) {
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    return at;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The end of the number ParseDecimal reads from `at`, or `at` itself when it reads none.
// Mirrors ParseDecimal: a sign, digits with at most one '.', and an exponent only when
// digits follow its 'e' (else the number ends before the 'e').
std::size_t NumberEnd(std::string_view text, std::size_t at) {
    std::size_t end = at;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        ++end;
    }
    const std::size_t integerStart = end;
    end = SkipDigits(text, end);
    bool anyDigit = end > integerStart;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return at;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return end;
}

} // namespace

ReadingTextForm ClassifyReadingText(std::string_view text) {
    std::size_t at = SkipWhiteSpace(text, 0);
    if (at == text.size()) {
        return ReadingTextForm::Blank;
    }
    for (const std::string_view word : {"+Infinity", "-Infinity", "NaN"}) {
        if (EqualsIgnoringCase(text, word)) {
            return ReadingTextForm::WellFormed;
        }
    }
    const std::size_t end = NumberEnd(text, at);
    if (end == at) {
        return ReadingTextForm::NotWellFormed;
    }
    at = SkipWhiteSpace(text, end);
    for (const std::string_view unit : UnitTexts) {
        if (text.substr(at).starts_with(unit)) {
            at = SkipWhiteSpace(text, at + unit.size());
            break;
        }
    }
    return at == text.size() ? ReadingTextForm::WellFormed : ReadingTextForm::NotWellFormed;
}
