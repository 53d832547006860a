#include "batch/logbook_columns.h"

#include "batch/text_folding.h"

#include <array>
#include <string_view>

namespace {

enum Role : std::size_t { DryBulb, WetBulb, Pressure, Altitude, Unit, Type, RoleCount };

struct RoleNames {
    std::string_view english;
    std::string_view bulgarian;
    std::string_view meaning;
};

constexpr std::array<RoleNames, RoleCount> Names{{
    {"tdry", "сух", "dry-bulb reading"},
    {"twet", "мокър", "wet-bulb reading"},
    {"p", "налягане", "pressure"},
    {"h", "височина", "altitude"},
    {"unit", "единица", "unit"},
    {"type", "вид", "psychrometer type"},
}};

std::string Describe(Role role) {
    return std::string(Names[role].meaning) + " (" + std::string(Names[role].english) + " or " +
           std::string(Names[role].bulgarian) + ")";
}

} // namespace

std::variant<LogbookColumns, std::string>
FindLogbookColumns(const std::vector<std::string>& header) {
    std::array<std::optional<std::size_t>, RoleCount> found;
    for (std::size_t column = 0; column < header.size(); ++column) {
        const std::string name = FoldForMatching(header[column]);
        for (std::size_t role = 0; role < RoleCount; ++role) {
            if (name != Names[role].english && name != Names[role].bulgarian) {
                continue;
            }
            if (found[role]) {
                return "two columns for the " + Describe(static_cast<Role>(role));
            }
            found[role] = column;
        }
    }
    if (!found[DryBulb]) {
        return "no column for the " + Describe(DryBulb);
    }
    if (!found[WetBulb]) {
        return "no column for the " + Describe(WetBulb);
    }
    if (!found[Pressure] && !found[Altitude]) {
        return "no column for the " + Describe(Pressure) + " or the " + Describe(Altitude);
    }
    LogbookColumns columns;
    columns.dryBulb = *found[DryBulb];
    columns.wetBulb = *found[WetBulb];
    columns.pressure = found[Pressure];
    columns.altitude = found[Altitude];
    columns.unit = found[Unit];
    columns.type = found[Type];
    return columns;
}
