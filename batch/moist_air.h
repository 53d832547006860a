// Quantities of moist air beyond the calculator's five, for the --extended columns.
#pragma once

struct MoistAirExtras {
    double mixingRatio = 0;      // r, g of water vapour per kg of dry air
    double specificHumidity = 0; // q, g of water vapour per kg of moist air
    double enthalpy = 0;         // h, kJ per kg of dry air
};

// From the partial vapour pressure е and the pressure P (both hPa) and the dry-bulb
// temperature t (°C):
//   r = 622 е / (P − е)
//   q = 622 е / (P − 0.378 е)
//   h = 1.006 t + r / 1000 (2501 + 1.86 t)
// 622 is the ratio of the molar masses of water and dry air in g/kg, 1.006 and 1.86 the
// specific heats of dry air and of water vapour in kJ/(kg K), 2501 the heat of
// vaporization of water at 0 °C in kJ/kg.
MoistAirExtras ComputeMoistAirExtras(double vapourPressure, double pressure, double dryBulb);
