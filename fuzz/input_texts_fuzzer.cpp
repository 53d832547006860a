// Texts of any bytes through the number conversions and the input checks, with
// properties every answer must have whatever the text.
#include "calc/input_reading.h"
#include "calc/reading_text.h"
#include "calc/result_presentation.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

const std::array<std::string_view, 8> kMessages = {
    "Няма данни за атмосферно налягане",
    "Има грешка при надморската височина",
    "Има грешка при стойността на налягането",
    "Няма данни за сухия термометър",
    "Има грешка при стойността на сухия термометър",
    "Няма данни за мокрия термометър",
    "Има грешка при стойността на мокрия термометър",
    "Има грешка при въвеждането на стойностите на сухия и мокрия термометър",
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "-"? digits ("." exactly `decimals` digits)?, or one of the three special words.
bool WellFormed(const std::string& text, float value, int decimals) {
    if (std::isnan(value)) {
        return text == "NaN";
    }
    if (std::isinf(value)) {
        return text == (value > 0 ? "+Infinity" : "-Infinity");
    }
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t integerStart = at;
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    if (at == integerStart) {
        return false;
    }
    if (decimals == 0) {
        return at == text.size();
    }
    if (at >= text.size() || text[at] != '.') {
        return false;
    }
    const std::size_t fraction = text.size() - at - 1;
    return fraction == static_cast<std::size_t>(decimals) &&
           std::all_of(text.begin() + static_cast<long>(at) + 1, text.end(), IsDigit);
}

void CheckFormatting(FuzzedDataProvider& data) {
    const float value = data.ConsumeFloatingPoint<float>();
    const int decimals = data.ConsumeIntegralInRange(0, 512);
    const std::string text = FormatDecimal(value, decimals);
    Require(WellFormed(text, value, decimals), "FormatDecimal gives a plain decimal text");
    if (std::isfinite(value)) {
        // With 512 decimals every float is written exactly, so reading it back must give
        // the same value (an exact zero comes back as +0, which compares equal).
        const std::string exact = FormatDecimal(value, 512);
        Require(ParseDecimal(exact) == value, "FormatDecimal(v, 512) reads back as v");
    }
}

bool IsSpecialWord(std::string_view text) {
    for (const std::string_view word : {"+Infinity", "-Infinity", "NaN"}) {
        if (text.size() == word.size() &&
            std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return true;
        }
    }
    return false;
}

bool SameFloat(float a, float b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

void CheckParsing(const std::string& text) {
    const float value = ParseDecimal(text);
    if (std::isfinite(value)) {
        Require(ParseDecimal(FormatDecimal(value, 512)) == value,
                "a parsed value survives formatting and parsing again");
    }
    // A unit text after the number never changes it: that is what lets the calculator
    // re-read a field after a unit was appended. (The special words must stand alone.)
    if (!IsSpecialWord(text)) {
        Require(SameFloat(ParseDecimal(text + "   [°C]"), value),
                "a unit text after a decimal is ignored");
    }
    Require(ParseInteger(text + "  [m]") == ParseInteger(text),
            "a unit text after an integer is ignored");
    if (ClassifyReadingText(text) == ReadingTextForm::Blank) {
        Require(ParseDecimal(text) == 0.0f, "a blank text holds no number");
    }
}

void CheckIntegerRoundTrip(FuzzedDataProvider& data) {
    const std::int64_t number = data.ConsumeIntegral<std::int64_t>();
    const std::string text = std::to_string(number);
    Require(ParseInteger(text) == number, "ParseInteger reads a decimal integer back");
    Require(ParseInteger(text + "  [m]") == number, "ParseInteger stops at the unit text");
}

void CheckReading(const std::string& pressure, const std::string& dry, const std::string& wet,
                  BarometerUnit unit) {
    const ReadOutcome outcome = ReadInputs(pressure, dry, wet, unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        Require(std::find(kMessages.begin(), kMessages.end(), *message) != kMessages.end(),
                "a rejection is one of the eight messages");
        return;
    }
    // Any text that is not well-formed (and a blank one) never yields readings.
    Require(ClassifyReadingText(pressure) == ReadingTextForm::WellFormed &&
                ClassifyReadingText(dry) == ReadingTextForm::WellFormed &&
                ClassifyReadingText(wet) == ReadingTextForm::WellFormed,
            "only well-formed texts are read");
    const auto& readings = std::get<InputReadings>(outcome);
    Require(readings.pressure >= 640.0f && readings.pressure <= 1150.0f,
            "accepted pressure lies in 640..1150 hPa");
    Require(readings.dryBulb >= -30.0f && readings.dryBulb <= 50.0f,
            "accepted dry bulb lies in -30..50");
    Require(readings.wetBulb >= -30.0f && readings.wetBulb <= 50.0f,
            "accepted wet bulb lies in -30..50");
    Require(readings.wetBulb <= readings.dryBulb, "accepted wet bulb is not above dry bulb");
    Require(readings.pressureText == pressure && readings.dryBulbText == dry &&
                readings.wetBulbText == wet,
            "the readings keep the texts as typed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const auto unit = static_cast<BarometerUnit>(data.ConsumeIntegralInRange(1, 4));
    CheckFormatting(data);
    CheckIntegerRoundTrip(data);
    const std::string pressure = data.ConsumeRandomLengthString(256);
    const std::string dry = data.ConsumeRandomLengthString(256);
    const std::string wet = data.ConsumeRemainingBytesAsString();
    CheckParsing(pressure);
    CheckParsing(dry);
    CheckReading(pressure, dry, wet, unit);
    return 0;
}
