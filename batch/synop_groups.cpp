#include "batch/synop_groups.h"

#include "batch/shown_tenths.h"

#include <cmath>

namespace {

constexpr std::int64_t MostTenths = 999;

} // namespace

std::string TemperatureGroup(char indicator, float celsius) {
    if (!std::isfinite(celsius)) {
        return {};
    }
    const std::int64_t tenths = ShownTenths(celsius);
    if (tenths > MostTenths || tenths < -MostTenths) {
        return {};
    }
    const auto magnitude = static_cast<int>(tenths < 0 ? -tenths : tenths);
    const char group[] = {
        indicator, tenths < 0 ? '1' : '0', static_cast<char>('0' + magnitude / 100),
        static_cast<char>('0' + magnitude / 10 % 10), static_cast<char>('0' + magnitude % 10)};
    return std::string(group, sizeof group);
}
