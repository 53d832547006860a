// The chart of a logbook, gathered row by row while its table is written. Its memory is
// bounded by the chart, not by the logbook: up to MostPoints rows are kept as points, and
// beyond that every row only adds one to the count of its cell (0.1 °C by 0.1 hPa), as the
// pressures add to a count per 0.1 hPa for their median.
#pragma once

#include "chart/psychrometric_chart.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class LogbookChart {
  public:
    static constexpr std::size_t MostPoints = 2000;

    // A computed row: its reading and the month it was observed in (0 when unknown).
    void Add(const chart::ChartReading& reading, int month);

    // The chart over the curves at the median pressure of the rows (the standard
    // atmosphere's 1013.25 hPa when there are none), in a view that fits them or has the
    // t axis of `fixedT`; one row gets its reading's chart.
    chart::ChartDescription Describe(std::optional<chart::ChartRange> fixedT = std::nullopt) const;

    // That chart as the SVG of a `width` x `height` picture.
    std::string Svg(std::optional<chart::ChartRange> fixedT, int width, int height) const;

  private:
    // Counts of whole numbers in one run from the lowest seen to the highest.
    template <class Count> struct Run {
        std::int32_t first = 0;
        std::vector<Count> counts;
        Count& At(std::int32_t key);
    };
    void Count(chart::ChartPoint point);

    std::uint64_t rows_ = 0;
    chart::ChartRange t_;
    chart::ChartRange e_;
    std::optional<chart::ChartReading> first_;
    std::vector<chart::LogbookPoint> points_;
    // By t in tenths of a degree, each column by е in tenths of a hPa. Two bytes a cell
    // keep the table in the processor's cache while the rows stream by (a count in four
    // made the run a tenth slower); the rare cell that passes 65,535 counts its carries.
    std::int32_t firstColumn_ = 0;
    std::vector<Run<std::uint16_t>> columns_;
    std::map<std::pair<std::int32_t, std::int32_t>, std::uint64_t> carries_;
    Run<std::uint32_t> pressures_; // in tenths of a hPa
};
