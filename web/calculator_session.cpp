#include "web/calculator_session.h"

#include "chart/calculation_chart.h"
#include "web/chart_files.h"
#include "web/json_text.h"

#include <array>
#include <cstddef>
#include <variant>

namespace {

template <std::size_t N> std::string JsonArray(const std::array<std::string, N>& texts) {
    std::string json = "[";
    for (std::size_t i = 0; i < N; ++i) {
        json += (i == 0 ? "" : ",") + JsonString(texts[i]);
    }
    return json + "]";
}

} // namespace

std::string CalculatorSession::Press(std::string_view pressureText, std::string_view dryBulbText,
                                     std::string_view wetBulbText, BarometerUnit unit,
                                     PsychrometerType type, WetBulbCover cover) {
    PressOutcome outcome =
        PressCalculate(input_, pressureText, dryBulbText, wetBulbText, unit, type, cover);
    if (const auto* refusal = std::get_if<PressRefusal>(&outcome)) {
        return "{\"kind\":\"refused\",\"message\":" + JsonString(refusal->message) +
               ",\"field\":" + std::to_string(static_cast<int>(refusal->field)) + "}";
    }
    auto* shown = std::get_if<PressResults>(&outcome);
    if (shown == nullptr) {
        return "{\"kind\":\"none\"}";
    }
    last_ = std::move(shown->calculation);
    return "{\"kind\":\"accepted\",\"inputs\":" + JsonArray(shown->inputTexts) +
           ",\"results\":" + JsonArray(shown->resultTexts) + "}";
}

std::string CalculatorSession::ChartSvg() const {
    return ChartSvgText(chart::DescribeCalculation(last_ ? &*last_ : nullptr));
}
