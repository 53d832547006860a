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
// A date or time cell that is not a day of the calendar or a time of the day.
std::string_view BadDateMessage(MessageLanguage language);
std::string_view BadTimeMessage(MessageLanguage language);
