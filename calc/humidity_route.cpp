#include "calc/humidity_route.h"

namespace {

HumidityResult Compute(const InputReadings& in, PsychrometerType type, WetBulbCover cover,
                       std::optional<float> coefficient) {
    const bool ice = cover == WetBulbCover::Ice;
    if (coefficient) {
        return ice ? ComputeHumidityIceBulbWithCoefficient(in.dryBulb, in.wetBulb, in.pressure,
                                                           *coefficient)
                   : ComputeHumidityWithCoefficient(in.dryBulb, in.wetBulb, in.pressure,
                                                    *coefficient);
    }
    return ice ? ComputeHumidityIceBulb(in.dryBulb, in.wetBulb, in.pressure, type)
               : ComputeHumidity(in.dryBulb, in.wetBulb, in.pressure, type);
}

} // namespace

HumidityOutcome ComputeCheckedHumidity(const InputReadings& readings, PsychrometerType type,
                                       WetBulbCover cover, std::optional<float> coefficient) {
    const HumidityResult result = Compute(readings, type, cover, coefficient);
    if (!IsPossibleReading(result)) {
        return ImpossibleReadingsMessage;
    }
    // Ice cannot be warmer than 0 °C; a reading above it means the bulb is not iced.
    if (cover == WetBulbCover::Ice && readings.wetBulb > 0) {
        return IceBulbAboveZeroMessage;
    }
    return result;
}
