// The words a logbook may use for a barometer unit or a psychrometer type, in a cell of
// its own column or in the --unit and --type options.
#pragma once

#include "batch/logbook_row.h"
#include "calc/humidity_model.h"
#include "calc/input_reading.h"

#include <optional>
#include <string_view>

// hPa, mBar (or mb), mmHg, m, and хПа, мбар, м; letter case does not count.
std::optional<BarometerUnit> ParseUnitName(std::string_view text);
// aspirated / с аспирация / 1, non-aspirated / без аспирация / 2.
std::optional<PsychrometerType> ParseTypeName(std::string_view text);
// water / вода, ice / лед; auto / авто too when `allowAuto`.
std::optional<BulbChoice> ParseBulbName(std::string_view text, bool allowAuto);
