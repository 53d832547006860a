// Which column of a logbook holds which reading, found by its header name.
#pragma once

#include "batch/row_messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct LogbookColumns {
    std::size_t dryBulb = 0;
    // Without a wet-bulb column, a hygrometer's relative humidity or dew point stands in its
    // place and the wet bulb is computed: one of the three is there.
    std::optional<std::size_t> wetBulb;
    std::optional<std::size_t> relativeHumidity;
    std::optional<std::size_t> dewPoint;
    std::optional<std::size_t> pressure; // at least one of pressure and altitude is there
    std::optional<std::size_t> altitude;
    std::optional<std::size_t> unit;
    std::optional<std::size_t> type;
    std::optional<std::size_t> bulb;
    std::optional<std::size_t> date; // when the row was observed, with or without its time
    std::optional<std::size_t> time;
    std::optional<std::size_t> coefficient; // the psychrometer's own A0
};

// Names in English or Bulgarian, letter case and surrounding spaces aside: tdry/сух,
// twet/мокър, p/налягане, h/височина, unit/единица, type/вид, bulb/термометър, date/дата,
// time/час, coefficient/коефициент; and, only in a logbook without twet, rh/влажност or
// td/оросяване. Any other column is the logbook's own. A missing reading column or a doubled
// known one is reported as a text in `language`.
std::variant<LogbookColumns, std::string> FindLogbookColumns(const std::vector<std::string>& header,
                                                             MessageLanguage language);
