#include "batch/thermometer_corrections.h"

#include <algorithm>

namespace {

// A certificate without a date holds before every dated one.
bool HoldsBefore(std::optional<std::int32_t> from, std::optional<std::int32_t> than) {
    return !from ? than.has_value() : than && *from < *than;
}

double Interpolated(const std::vector<CorrectionPoint>& points, double reading) {
    if (reading <= points.front().reading) {
        return points.front().correction;
    }
    if (reading >= points.back().reading) {
        return points.back().correction;
    }
    const auto above = std::upper_bound(
        points.begin(), points.end(), reading,
        [](double value, const CorrectionPoint& point) { return value < point.reading; });
    const CorrectionPoint& low = *(above - 1);
    const CorrectionPoint& high = *above;
    return low.correction + (high.correction - low.correction) * (reading - low.reading) /
                                (high.reading - low.reading);
}

} // namespace

bool ThermometerCorrections::Add(Thermometer thermometer, std::optional<std::int32_t> fromDay,
                                 CorrectionPoint point) {
    auto certificate =
        std::find_if(certificates_.begin(), certificates_.end(), [&](const Certificate& candidate) {
            return candidate.thermometer == thermometer && candidate.fromDay == fromDay;
        });
    if (certificate == certificates_.end()) {
        certificate = certificates_.insert(certificates_.end(), {thermometer, fromDay, {}});
    }
    std::vector<CorrectionPoint>& points = certificate->points;
    const auto at = std::lower_bound(
        points.begin(), points.end(), point.reading,
        [](const CorrectionPoint& known, double value) { return known.reading < value; });
    if (at != points.end() && at->reading == point.reading) {
        return false;
    }
    points.insert(at, point);
    return true;
}

std::optional<double> ThermometerCorrections::For(Thermometer thermometer, double reading,
                                                  std::optional<std::int32_t> day) const {
    bool hasAny = false;
    const Certificate* holding = nullptr;
    for (const Certificate& certificate : certificates_) {
        if (certificate.thermometer != thermometer) {
            continue;
        }
        hasAny = true;
        const bool holds = !certificate.fromDay || (day && *certificate.fromDay <= *day);
        if (holds && (holding == nullptr || HoldsBefore(holding->fromDay, certificate.fromDay))) {
            holding = &certificate;
        }
    }
    if (!hasAny) {
        return 0.0;
    }
    if (holding == nullptr) {
        return std::nullopt;
    }
    return Interpolated(holding->points, reading);
}
