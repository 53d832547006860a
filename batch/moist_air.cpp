#include "batch/moist_air.h"

namespace {

constexpr double MolarMassRatio = 622.0; // g/kg
constexpr double DryAirHeat = 1.006;     // kJ/(kg K)
constexpr double VapourHeat = 1.86;      // kJ/(kg K)
constexpr double VaporizationHeat = 2501.0;
constexpr double GramsPerKilogram = 1000.0;
constexpr double SpecificHumidityTerm = 1.0 - 0.622;

} // namespace

MoistAirExtras ComputeMoistAirExtras(double vapourPressure, double pressure, double dryBulb) {
    MoistAirExtras extras;
    extras.mixingRatio = MolarMassRatio * vapourPressure / (pressure - vapourPressure);
    extras.specificHumidity =
        MolarMassRatio * vapourPressure / (pressure - SpecificHumidityTerm * vapourPressure);
    extras.enthalpy = DryAirHeat * dryBulb + extras.mixingRatio / GramsPerKilogram *
                                                 (VaporizationHeat + VapourHeat * dryBulb);
    return extras;
}
