#include "batch/logbook_chart.h"

#include "batch/chart_svg.h"
#include "calc/standard_pressure.h"

#include <algorithm>
#include <cmath>

namespace {

std::int32_t Tenths(float value) {
    return static_cast<std::int32_t>(std::lround(value * chart::CellsPerUnit));
}

} // namespace

template <class Count> Count& LogbookChart::Run<Count>::At(std::int32_t key) {
    if (counts.empty()) {
        first = key;
    } else if (key < first) {
        counts.insert(counts.begin(), static_cast<std::size_t>(first - key), 0);
        first = key;
    }
    const auto at = static_cast<std::size_t>(key - first);
    if (at >= counts.size()) {
        counts.resize(at + 1, 0);
    }
    return counts[at];
}

void LogbookChart::Count(chart::ChartPoint point) {
    const std::int32_t column = Tenths(point.t);
    if (columns_.empty()) {
        firstColumn_ = column;
    } else if (column < firstColumn_) {
        columns_.insert(columns_.begin(), static_cast<std::size_t>(firstColumn_ - column),
                        Run<std::uint16_t>{});
        firstColumn_ = column;
    }
    const auto at = static_cast<std::size_t>(column - firstColumn_);
    if (at >= columns_.size()) {
        columns_.resize(at + 1);
    }
    const std::int32_t row = Tenths(point.e);
    if (++columns_[at].At(row) == 0) {
        ++carries_[{column, row}];
    }
}

void LogbookChart::Add(const chart::ChartReading& reading, int month) {
    const chart::ChartPoint point{reading.dryBulb, reading.result.vapourPressure};
    if (rows_ == 0) {
        first_ = reading;
        t_ = {point.t, point.t};
        e_ = {point.e, point.e};
    }
    ++rows_;
    t_ = {std::min(t_.low, point.t), std::max(t_.high, point.t)};
    e_ = {std::min(e_.low, point.e), std::max(e_.high, point.e)};
    ++pressures_.At(Tenths(reading.pressure));
    if (rows_ <= MostPoints) {
        points_.push_back({point, static_cast<std::uint8_t>(month)});
        return;
    }
    if (!points_.empty()) {
        for (const chart::LogbookPoint& kept : points_) {
            Count(kept.at);
        }
        points_ = {};
    }
    Count(point);
}

chart::ChartDescription LogbookChart::Describe(std::optional<chart::ChartRange> fixedT) const {
    chart::LogbookSummary summary;
    summary.rows = rows_;
    summary.t = t_;
    summary.e = e_;
    summary.fixedT = fixedT;
    summary.pressure = StandardPressure;
    // Of an even count the lower of the two middle values.
    std::uint64_t before = rows_ == 0 ? 0 : (rows_ - 1) / 2;
    for (std::size_t at = 0; at < pressures_.counts.size(); ++at) {
        if (before < pressures_.counts[at]) {
            summary.pressure =
                static_cast<float>(pressures_.first + static_cast<std::int32_t>(at)) /
                chart::CellsPerUnit;
            break;
        }
        before -= pressures_.counts[at];
    }
    if (rows_ == 1) {
        summary.only = first_;
    }
    summary.points = points_;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        const Run<std::uint16_t>& run = columns_[column];
        const std::int32_t t = firstColumn_ + static_cast<std::int32_t>(column);
        for (std::size_t at = 0; at < run.counts.size(); ++at) {
            const std::int32_t e = run.first + static_cast<std::int32_t>(at);
            const auto carried = carries_.find({t, e});
            const std::uint64_t count =
                run.counts[at] + (carried == carries_.end() ? 0 : carried->second << 16);
            if (count > 0) {
                summary.cells.push_back({t, e, count});
            }
        }
    }
    return chart::DescribeLogbook(std::move(summary));
}

std::string LogbookChart::Svg(std::optional<chart::ChartRange> fixedT, int width,
                              int height) const {
    return ChartSvg(chart::LayOutChart(Describe(fixedT), width, height));
}
