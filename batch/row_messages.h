// The texts of the error column: the calculator's own Bulgarian messages, or their English
// translations.
#pragma once

#include "batch/thermometer_corrections.h"
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
// A coefficient cell that is no number from 0.0003 to 0.0020.
std::string_view BadCoefficientMessage(MessageLanguage language);
// A row whose day comes before every certificate of a thermometer that has some.
std::string_view NoCertificateMessage(Thermometer thermometer, MessageLanguage language);
// A hygrometer's relative humidity or dew point in place of the wet bulb: missing, not a
// number (or an RH outside 0 to 100 %), or not given by any wet-bulb reading.
std::string_view NoRelativeHumidityMessage(MessageLanguage language);
std::string_view BadRelativeHumidityMessage(MessageLanguage language);
std::string_view NoDewPointMessage(MessageLanguage language);
std::string_view BadDewPointMessage(MessageLanguage language);
std::string_view UnreachedHumidityMessage(MessageLanguage language);

// Said once of a logbook whose header was not valid UTF-8 (ConversionReport).
std::string_view GuessedWindows1251Message(MessageLanguage language);
