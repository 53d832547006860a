#include "calc/humidity_route.h"

HumidityOutcome ComputeCheckedHumidity(const InputReadings& readings, PsychrometerType type,
                                       WetBulbCover cover) {
    const HumidityResult result =
        cover == WetBulbCover::Ice
            ? ComputeHumidityIceBulb(readings.dryBulb, readings.wetBulb, readings.pressure, type)
            : ComputeHumidity(readings.dryBulb, readings.wetBulb, readings.pressure, type);
    if (!IsPossibleReading(result)) {
        return ImpossibleReadingsMessage;
    }
    // Ice cannot be warmer than 0 °C; a reading above it means the bulb is not iced.
    if (cover == WetBulbCover::Ice && readings.wetBulb > 0) {
        return IceBulbAboveZeroMessage;
    }
    return result;
}
