// The psychrometric model for a wet bulb coated with ice.
//
// Once the muslin has frozen, the wet bulb reads the temperature of evaporating ice, and
// WMO-No. 8 (Annex 4.B) gives that case its own two formulas:
//   saturation over ice   ei(Twet) = 6.112 × exp(22.46 × Twet / (Twet + 272.62))
//   psychrometer equation е = f × ei(Twet) − A_ice × P × (Tdry − Twet)
// with A_ice = A0 × 5.75 / 6.53. The Guide gives 6.53·10⁻⁴ over water and 5.75·10⁻⁴ over
// ice for its reference psychrometer; the coefficient goes with 1 / latent heat, so the
// ratio (close to vaporization over sublimation heat) carries over to our own A0 of
// either psychrometer type. Over ice the coefficient has no temperature term. E, RH and Td stay
// relative to water, the WMO convention, so they mean what they mean on the water route; only е and
// F change.
#include "calc/humidity_model.h"

#include "calc/humidity_steps.h"

namespace humidity_detail {
namespace {

// Constants take part as their single-precision values, as everywhere in the model.
constexpr double SaturationAtZero = 6.112f;
constexpr double IceMagnusCoefficient = 22.46f;
constexpr double IceMagnusOffset = 272.62f;
constexpr double IceCoefficient = 5.75f;
constexpr double WaterCoefficient = 6.53f;

float ToSingle(double value) {
    return static_cast<float>(value);
}

float SaturationOverIce(double temperature) {
    const float x = ToSingle(IceMagnusCoefficient * temperature / (temperature + IceMagnusOffset));
    return ToSingle(SaturationAtZero * SingleExp(x));
}

// A_ice, rounded once to single.
float IceBulbCoefficient(double a0) {
    return ToSingle(a0 * IceCoefficient / WaterCoefficient);
}

} // namespace

HumiditySteps ComputeIceBulbSteps(float dryBulb, float wetBulb, float pressure,
                                  PsychrometerType type) {
    return IceBulbSteps(dryBulb, wetBulb, pressure, PsychrometerCoefficient(type));
}

HumiditySteps IceBulbSteps(float dryBulb, float wetBulb, float pressure, double coefficient) {
    const double tWet = wetBulb;
    return StepsFromWetBulb(dryBulb, tWet, pressure, SaturationOverIce(tWet),
                            IceBulbCoefficient(coefficient));
}

} // namespace humidity_detail

HumidityResult ComputeHumidityIceBulb(float dryBulb, float wetBulb, float pressure,
                                      PsychrometerType type) {
    return humidity_detail::ResultOf(
        humidity_detail::ComputeIceBulbSteps(dryBulb, wetBulb, pressure, type));
}

HumidityResult ComputeHumidityIceBulbWithCoefficient(float dryBulb, float wetBulb, float pressure,
                                                     float coefficient) {
    return humidity_detail::ResultOf(
        humidity_detail::IceBulbSteps(dryBulb, wetBulb, pressure, coefficient));
}
