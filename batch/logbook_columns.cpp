#include "batch/logbook_columns.h"

#include "batch/text_folding.h"
#include "batch/two_languages.h"

#include <array>
#include <string_view>

namespace {

enum Role : std::size_t {
    DryBulb,
    WetBulb,
    Pressure,
    Altitude,
    Unit,
    Type,
    Bulb,
    Date,
    Time,
    Coefficient,
    RelativeHumidity,
    DewPoint,
    RoleCount
};

struct RoleNames {
    std::string_view english;
    std::string_view bulgarian;
    std::string_view meaningInEnglish;
    std::string_view meaningInBulgarian;
};

constexpr std::array<RoleNames, RoleCount> Names{{
    {"tdry", "сух", "the dry-bulb reading", "показанието на сухия термометър"},
    {"twet", "мокър", "the wet-bulb reading", "показанието на мокрия термометър"},
    {"p", "налягане", "the pressure", "налягането"},
    {"h", "височина", "the altitude", "надморската височина"},
    {"unit", "единица", "the unit", "мерната единица"},
    {"type", "вид", "the psychrometer type", "вида на психрометъра"},
    {"bulb", "термометър", "the wet bulb's state", "състоянието на мокрия термометър"},
    {"date", "дата", "the date", "датата"},
    {"time", "час", "the time", "часа"},
    {"coefficient", "коефициент", "the psychrometer coefficient", "коефициента на психрометъра"},
    {"rh", "влажност", "the relative humidity", "относителната влажност"},
    {"td", "оросяване", "the dew point", "точката на оросяване"},
}};

std::string Describe(Role role, MessageLanguage language) {
    const RoleNames& names = Names[role];
    std::string text(TextIn(language, names.meaningInBulgarian, names.meaningInEnglish));
    text += " (";
    text += names.english;
    text += TextIn(language, " или ", " or ");
    text += names.bulgarian;
    text += ")";
    return text;
}

std::string NoColumnFor(MessageLanguage language) {
    return std::string(TextIn(language, "няма колона за ", "no column for "));
}

} // namespace

std::variant<LogbookColumns, std::string> FindLogbookColumns(const std::vector<std::string>& header,
                                                             MessageLanguage language) {
    std::array<std::optional<std::size_t>, RoleCount> found;
    std::array<bool, RoleCount> doubled{};
    for (std::size_t column = 0; column < header.size(); ++column) {
        const std::string name = FoldForMatching(header[column]);
        for (std::size_t role = 0; role < RoleCount; ++role) {
            if (name == Names[role].english || name == Names[role].bulgarian) {
                doubled[role] = doubled[role] || found[role].has_value();
                found[role] = found[role].value_or(column);
            }
        }
    }
    // A logbook with a wet-bulb column keeps columns of these names as its own, as it always
    // has: they only stand in for the wet bulb.
    if (found[WetBulb]) {
        found[RelativeHumidity] = found[DewPoint] = std::nullopt;
    }
    for (std::size_t role = 0; role < RoleCount; ++role) {
        if (doubled[role] && found[role]) {
            return std::string(TextIn(language, "две колони за ", "two columns for ")) +
                   Describe(static_cast<Role>(role), language);
        }
    }
    if (!found[DryBulb]) {
        return NoColumnFor(language) + Describe(DryBulb, language);
    }
    if (!found[WetBulb] && !found[RelativeHumidity] && !found[DewPoint]) {
        return NoColumnFor(language) + Describe(WetBulb, language) +
               std::string(TextIn(language, ", ", ", ")) + Describe(RelativeHumidity, language) +
               std::string(TextIn(language, " или ", " or ")) + Describe(DewPoint, language);
    }
    if (found[RelativeHumidity] && found[DewPoint]) {
        return std::string(TextIn(language,
                                  "и относителна влажност, и точка на оросяване: мокрият "
                                  "термометър се изчислява от едната от тях",
                                  "both the relative humidity and the dew point: the wet bulb is "
                                  "computed from one of them"));
    }
    if (!found[Pressure] && !found[Altitude]) {
        return NoColumnFor(language) + Describe(Pressure, language) +
               std::string(TextIn(language, " или ", " or ")) + Describe(Altitude, language);
    }
    LogbookColumns columns;
    columns.dryBulb = *found[DryBulb];
    columns.wetBulb = found[WetBulb];
    columns.relativeHumidity = found[RelativeHumidity];
    columns.dewPoint = found[DewPoint];
    columns.pressure = found[Pressure];
    columns.altitude = found[Altitude];
    columns.unit = found[Unit];
    columns.type = found[Type];
    columns.bulb = found[Bulb];
    columns.date = found[Date];
    columns.time = found[Time];
    columns.coefficient = found[Coefficient];
    return columns;
}
