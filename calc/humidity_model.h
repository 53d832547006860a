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

// The same two routes with a psychrometer's own coefficient A0 (per °C, as its calibration
// certificate gives it) in place of its type's: over water A = A0 × (1 + 0.000944 × Twet),
// over ice A0 × 5.75 / 6.53. With the type's own A0 they give the bits the type gives.
HumidityResult ComputeHumidityWithCoefficient(float dryBulb, float wetBulb, float pressure,
                                              float coefficient);
HumidityResult ComputeHumidityIceBulbWithCoefficient(float dryBulb, float wetBulb, float pressure,
                                                     float coefficient);

// The dew point of a vapour pressure е at Tdry and P, by the model's own steps (E, then RH,
// then the Magnus–Tetens inversion): for the е of a computed reading, its Td to the bit.
float DewPointOfVapourPressure(float vapourPressure, float dryBulb, float pressure);

// A wet bulb too far below the dry bulb gives a partial vapour pressure of zero or less (or
// no number at all): no air has such a pair of readings, and the relative humidity and dew
// point computed from it mean nothing.
bool IsPossibleReading(const HumidityResult& result);
