#include "batch/logbook_chart.h"

#include "calc/standard_pressure.h"
#include "chart/psychrometric_chart.h"

#include <algorithm>

namespace {

// Of an even count the lower of the two middle values: a pressure some row really had.
float Median(std::vector<float>& values) {
    if (values.empty()) {
        return StandardPressure;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

void LogbookChart::Add(float dryBulb, float vapourPressure, float pressure) {
    points_.push_back({dryBulb, vapourPressure});
    pressures_.push_back(pressure);
}

chart::ChartDescription LogbookChart::Describe() {
    const float pressure = Median(pressures_);
    pressures_ = {};
    return chart::DescribeLogbook(std::move(points_), pressure);
}
