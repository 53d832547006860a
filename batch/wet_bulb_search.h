// The wet bulb a psychrometer would show beside a hygrometer: for a relative humidity (or a
// dew point) at the row's dry bulb and pressure, the reading whose computed result is
// nearest it. An observer checks the hygrometer against the thermometer with it.
#pragma once

#include "batch/logbook_row.h"
#include "calc/input_reading.h"

#include <cstdint>
#include <optional>

enum class GivenHumidity : std::uint8_t { RelativeHumidity, DewPoint };

struct WetBulbQuestion {
    InputReadings readings; // the checked dry bulb and pressure; the wet bulb is sought
    PsychrometerType type = PsychrometerType::Aspirated;
    BulbChoice bulb = BulbChoice::Water;
    std::optional<float> coefficient;
    GivenHumidity given = GivenHumidity::RelativeHumidity;
    float value = 0; // RH in %, or Td in °C
};

// The reading in tenths of a degree, as a thermometer read to 0.1 °C would show it, among
// those from Tdry − 40 to Tdry (and not below the calculator's −30 °C) that the calculator
// accepts for the row's type, bulb and coefficient. None when the value lies beyond what
// these readings give by more than half a step of 0.1 °C, or, above the last reading below
// a Tdry between two tenths, beyond what a wet bulb at Tdry itself would give (RH 100 over
// water).
std::optional<std::int32_t> FindWetBulbTenths(const WetBulbQuestion& question);
