// The intermediate values of the psychrometric model, kept so that each rounding point
// can be checked on its own.
#pragma once

#include "calc/humidity_model.h"

namespace humidity_detail {

struct HumiditySteps {
    float enhancementFactor = 0;  // f
    float dryBulbSaturation = 0;  // ew(Tdry), before the pressure correction
    float wetBulbSaturation = 0;  // ew(Twet), before the pressure correction
    float saturationPressure = 0; // E
    float wetBulbPressure = 0;    // Ew
    double depressionTerm = 0;    // never rounded: it only feeds е
    float vapourPressure = 0;     // е
    float relativeHumidity = 0;   // RH
    float dewPointExponent = 0;   // γ
    float dewPoint = 0;           // Td
    float absoluteHumidity = 0;   // F
};

// The correctly rounded single-precision exp and ln of the model.
float SingleExp(float x);
float SingleLog(float x);

// The exponent x = 17.62 × T / (T + 243.12) of the saturation formula, rounded to single.
float MagnusExponent(double temperature);

// Shared by both wet-bulb routes: the enhancement factor f, ew over water and A0.
float EnhancementFactor(double pressure);
float SaturationOverWater(double temperature);
double PsychrometerCoefficient(PsychrometerType type);

// The five results among the steps.
HumidityResult ResultOf(const HumiditySteps& steps);

// RH, Td and F from the е and E already in `steps`.
void DeriveFromVapourPressure(HumiditySteps& steps, double dryBulb);

// Every step from the wet bulb's own saturation (ew or ei, before the pressure correction)
// and the psychrometer coefficient A of its cover: what the two routes share.
HumiditySteps StepsFromWetBulb(double dryBulb, double wetBulb, double pressure,
                               float wetBulbSaturation, double coefficient);

// The ice route keeps its intermediate values in the same places: ei and Ei stand where
// ew(Twet) and Ew stand over water.
HumiditySteps ComputeIceBulbSteps(float dryBulb, float wetBulb, float pressure,
                                  PsychrometerType type);

HumiditySteps ComputeHumiditySteps(float dryBulb, float wetBulb, float pressure,
                                   PsychrometerType type);

// The two routes with A0 given as a number, widened from single: PsychrometerCoefficient
// for a type, or a psychrometer's own.
HumiditySteps WaterBulbSteps(float dryBulb, float wetBulb, float pressure, double coefficient);
HumiditySteps IceBulbSteps(float dryBulb, float wetBulb, float pressure, double coefficient);

} // namespace humidity_detail
