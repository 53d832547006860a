#include "calc/humidity_model.h"

#include "calc/humidity_steps.h"
#include "calc/single_math.h"

#include <cmath>
#include <limits>

namespace humidity_detail {
namespace {

// Every constant takes part as its single-precision value, widened.
constexpr double EnhancementBase = 1.0016f;
constexpr double EnhancementPressureTerm = 3.15e-6f;
constexpr double EnhancementInverseTerm = 0.074f;
constexpr double SaturationAtZero = 6.112f;
constexpr double MagnusCoefficient = 17.62f;
constexpr double MagnusOffset = 243.12f;
constexpr double PsychrometerTemperatureTerm = 0.000944f;
constexpr double AspiratedCoefficient = 0.000684f;
constexpr double NonAspiratedCoefficient = 0.001328f;
constexpr double Percent = 100.0f;
constexpr double TetensCoefficient = 17.271f;
constexpr double TetensOffset = 237.7f;
constexpr double AbsoluteHumidityFactor = 0.214f;
constexpr double AbsoluteHumidityOffset = 273.3f;
constexpr double GramsPerKilogram = 1000.0f;

float ToSingle(double value) {
    return static_cast<float>(value);
}

} // namespace

float EnhancementFactor(double pressure) {
    return ToSingle((pressure * EnhancementPressureTerm - EnhancementInverseTerm / pressure) +
                    EnhancementBase);
}

float SaturationOverWater(double temperature) {
    return ToSingle(SaturationAtZero * SingleExp(MagnusExponent(temperature)));
}

double PsychrometerCoefficient(PsychrometerType type) {
    return type == PsychrometerType::NonAspirated ? NonAspiratedCoefficient : AspiratedCoefficient;
}

float SingleExp(float x) {
    return CorrectlyRoundedExp(x);
}
float SingleLog(float x) {
    return CorrectlyRoundedLog(x);
}

float MagnusExponent(double temperature) {
    return ToSingle(MagnusCoefficient * temperature / (temperature + MagnusOffset));
}

HumiditySteps ComputeHumiditySteps(float dryBulb, float wetBulb, float pressure,
                                   PsychrometerType type) {
    return WaterBulbSteps(dryBulb, wetBulb, pressure, PsychrometerCoefficient(type));
}

HumiditySteps WaterBulbSteps(float dryBulb, float wetBulb, float pressure, double coefficient) {
    const double tWet = wetBulb;
    return StepsFromWetBulb(dryBulb, tWet, pressure, SaturationOverWater(tWet),
                            (tWet * PsychrometerTemperatureTerm + 1) * coefficient);
}

HumiditySteps StepsFromWetBulb(double tDry, double tWet, double p, float wetBulbSaturation,
                               double coefficient) {
    HumiditySteps s;
    s.enhancementFactor = EnhancementFactor(p);
    s.dryBulbSaturation = SaturationOverWater(tDry);
    s.wetBulbSaturation = wetBulbSaturation;

    const double f = s.enhancementFactor;
    s.saturationPressure = ToSingle(f * s.dryBulbSaturation);
    s.wetBulbPressure = ToSingle(f * s.wetBulbSaturation);

    s.depressionTerm = coefficient * p * (tDry - tWet);
    s.vapourPressure = ToSingle(s.wetBulbPressure - s.depressionTerm);
    DeriveFromVapourPressure(s, tDry);
    return s;
}

void DeriveFromVapourPressure(HumiditySteps& s, double tDry) {
    const double e = s.vapourPressure;
    s.relativeHumidity = ToSingle(e * Percent / s.saturationPressure);

    // A non-positive RH has no finite logarithm; the NaN that follows is the answer.
    const float ratio = ToSingle(s.relativeHumidity / Percent);
    const float logRatio = SingleLog(ratio);
    const double tetens = TetensCoefficient * tDry / (tDry + TetensOffset);
    s.dewPointExponent = ToSingle(logRatio + tetens);
    const double gamma = s.dewPointExponent;
    s.dewPoint = ToSingle(gamma * TetensOffset / (TetensCoefficient - gamma));

    s.absoluteHumidity =
        ToSingle(e * AbsoluteHumidityFactor / (tDry + AbsoluteHumidityOffset) * GramsPerKilogram);
}

HumidityResult ResultOf(const HumiditySteps& s) {
    HumidityResult result;
    result.absoluteHumidity = s.absoluteHumidity;
    result.relativeHumidity = s.relativeHumidity;
    result.dewPoint = s.dewPoint;
    result.saturationPressure = s.saturationPressure;
    result.vapourPressure = s.vapourPressure;
    return result;
}

} // namespace humidity_detail

HumidityResult ComputeHumidity(float dryBulb, float wetBulb, float pressure,
                               PsychrometerType type) {
    return humidity_detail::ResultOf(
        humidity_detail::ComputeHumiditySteps(dryBulb, wetBulb, pressure, type));
}

HumidityResult ComputeHumidityWithCoefficient(float dryBulb, float wetBulb, float pressure,
                                              float coefficient) {
    return humidity_detail::ResultOf(
        humidity_detail::WaterBulbSteps(dryBulb, wetBulb, pressure, coefficient));
}

float DewPointOfVapourPressure(float vapourPressure, float dryBulb, float pressure) {
    using namespace humidity_detail;
    HumiditySteps s;
    s.saturationPressure = static_cast<float>(double{EnhancementFactor(pressure)} *
                                              double{SaturationOverWater(dryBulb)});
    s.vapourPressure = vapourPressure;
    DeriveFromVapourPressure(s, dryBulb);
    return s.dewPoint;
}

bool IsPossibleReading(const HumidityResult& result) {
    // Written as "greater than" so that a NaN pressure counts as impossible too.
    return result.vapourPressure > 0;
}
