// The texts of the error column: the calculator's own Bulgarian messages, or their English
// translations.
#pragma once

#include "calc/humidity_route.h"
#include "calc/input_reading.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class MessageLanguage : std::uint8_t { Bulgarian, English };

// `message` as ReadInputs or ComputeCheckedHumidity gave it, in `language`; a text
// without a translation stays as it is.
std::string_view InLanguage(std::string_view message, MessageLanguage language);

// A unit, type or bulb cell that names nothing known.
std::string_view UnknownUnitMessage(MessageLanguage language);
std::string_view UnknownTypeMessage(MessageLanguage language);
std::string_view UnknownBulbMessage(MessageLanguage language);

// Said once of a logbook whose header was not valid UTF-8 (ConversionReport).
std::string_view GuessedWindows1251Message(MessageLanguage language);
