// The psychrometric model: five quantities of moist air from a psychrometer reading.
#pragma once

#include <cstdint>

enum class PsychrometerType : std::uint8_t {
    Aspirated = 1,
    NonAspirated = 2,
};

struct HumidityResult {
    float absoluteHumidity = 0;   // F, g/m3
    float relativeHumidity = 0;   // RH, %
    float dewPoint = 0;           // Td, °C
    float saturationPressure = 0; // E, hPa
    float vapourPressure = 0;     // е, hPa
};

// Tdry and Twet in °C, P in hPa; the inputs are the checked readings of ReadInputs.
HumidityResult ComputeHumidity(float dryBulb, float wetBulb, float pressure, PsychrometerType type);

// The same for a wet bulb coated with ice (Twet ≤ 0 °C): the wet bulb's saturation over ice
// and the ice coefficient; E and RH stay relative to water.
HumidityResult ComputeHumidityIceBulb(float dryBulb, float wetBulb, float pressure,
                                      PsychrometerType type);

// A wet bulb too far below the dry bulb gives a partial vapour pressure of zero or less (or
// no number at all): no air has such a pair of readings, and the relative humidity and dew
// point computed from it mean nothing.
bool IsPossibleReading(const HumidityResult& result);
