#include "batch/psychrometer_coefficient.h"

#include "calc/input_reading.h"
#include "calc/reading_text.h"

namespace {

// Beyond these no psychrometer works as one: the ventilation or the bulb is broken.
constexpr float LowestCoefficient = 0.0003f;
constexpr float HighestCoefficient = 0.0020f;

} // namespace

std::optional<float> ParseCoefficient(std::string_view text) {
    if (ClassifyReadingText(text) != ReadingTextForm::WellFormed) {
        return std::nullopt;
    }
    const float value = ParseDecimal(text);
    // Written so that a NaN falls outside.
    if (!(value >= LowestCoefficient && value <= HighestCoefficient)) {
        return std::nullopt;
    }
    return value;
}
