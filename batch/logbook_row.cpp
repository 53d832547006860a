#include "batch/logbook_row.h"

#include "batch/moist_air.h"
#include "calc/result_presentation.h"

namespace {

// The calculator shows every result with one decimal.
constexpr int ShownDecimals = 1;

std::string Shown(double value) {
    return FormatDecimal(static_cast<float>(value), ShownDecimals);
}

} // namespace

WetBulbCover CoverOf(BulbChoice bulb, float wetBulb) {
    if (bulb == BulbChoice::Auto) {
        return wetBulb < 0 ? WetBulbCover::Ice : WetBulbCover::Water;
    }
    return bulb == BulbChoice::Ice ? WetBulbCover::Ice : WetBulbCover::Water;
}

void RowCells::Clear() {
    for (std::string& text : results) {
        text.clear();
    }
    for (std::string& text : extras) {
        text.clear();
    }
    error.clear();
    for (std::string& text : corrected) {
        text.clear();
    }
    computedWetBulb.clear();
    for (std::string& text : synop) {
        text.clear();
    }
    reading = {};
    observed.reset();
}

void CalculateRow(const RowReadings& row, bool extended, MessageLanguage language,
                  RowCells& cells) {
    const ReadOutcome outcome =
        ReadInputs(row.pressureText, row.dryBulbText, row.wetBulbText, row.unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        cells.error = InLanguage(*message, language);
        return;
    }
    const auto& readings = std::get<InputReadings>(outcome);
    const WetBulbCover cover = CoverOf(row.bulb, readings.wetBulb);
    const HumidityOutcome computed =
        ComputeCheckedHumidity(readings, row.type, cover, row.coefficient);
    if (const auto* message = std::get_if<std::string_view>(&computed)) {
        cells.error = InLanguage(*message, language);
        return;
    }
    const auto& result = std::get<HumidityResult>(computed);
    cells.reading = {
        readings.dryBulb, readings.wetBulb, readings.pressure, row.type, cover, result};
    cells.results = {Shown(result.absoluteHumidity), Shown(result.relativeHumidity),
                     Shown(result.dewPoint), Shown(result.saturationPressure),
                     Shown(result.vapourPressure)};
    if (extended) {
        const MoistAirExtras extras =
            ComputeMoistAirExtras(result.vapourPressure, readings.pressure, readings.dryBulb);
        cells.extras = {Shown(extras.mixingRatio), Shown(extras.specificHumidity),
                        Shown(extras.enthalpy)};
    }
}
