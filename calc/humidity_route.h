// The computation the observer chose for the wet bulb, with the checks on its result.
#pragma once

#include "calc/humidity_model.h"
#include "calc/input_reading.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

// Whether the wet bulb's muslin is wet or frozen.
enum class WetBulbCover : std::uint8_t {
    Water,
    Ice,
};

inline constexpr std::string_view IceBulbAboveZeroMessage =
    "При заледен мокър термометър показанието му не може да е над 0 °C";

// The five results, or the message that refuses the readings.
using HumidityOutcome = std::variant<HumidityResult, std::string_view>;

// Readings no air can give are refused first, then an iced wet bulb above 0 °C, so that
// every earlier message keeps its precedence. A psychrometer's own `coefficient` A0 takes the
// place of its type's; without one, the type's model runs as it always has.
HumidityOutcome ComputeCheckedHumidity(const InputReadings& readings, PsychrometerType type,
                                       WetBulbCover cover,
                                       std::optional<float> coefficient = std::nullopt);
