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
    const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
    std::string group{indicator, tenths < 0 ? '1' : '0'};
    for (std::int64_t unit = 100; unit > 0; unit /= 10) {
        group += static_cast<char>('0' + magnitude / unit % 10);
    }
    return group;
}
