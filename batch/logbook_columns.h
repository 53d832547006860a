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
    std::size_t wetBulb = 0;
    std::optional<std::size_t> pressure; // at least one of pressure and altitude is there
    std::optional<std::size_t> altitude;
    std::optional<std::size_t> unit;
    std::optional<std::size_t> type;
    std::optional<std::size_t> bulb;
    std::optional<std::size_t> date; // when the row was observed, with or without its time
    std::optional<std::size_t> time;
};

// Names in English or Bulgarian, letter case and surrounding spaces aside: tdry/сух,
// twet/мокър, p/налягане, h/височина, unit/единица, type/вид, bulb/термометър, date/дата,
// time/час. Any other column is the logbook's own. A missing reading column or a doubled known one
// is reported as a text in `language`.
std::variant<LogbookColumns, std::string> FindLogbookColumns(const std::vector<std::string>& header,
                                                             MessageLanguage language);
