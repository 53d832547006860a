// A logbook's readings on the chart: a point each while they are few, cells shaded by how
// many they hold when they are many; and what the colours mean, at the right of the plot.
#include "chart/chart_layout.h"
#include "chart/month_palette.h"
#include "chart/psychrometric_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace chart::layout {
namespace {

constexpr double PointRadius = 3.2;
constexpr std::uint8_t PointAlpha = 200;
constexpr ChartInk UndatedInk{200, 30, 30, PointAlpha};
constexpr double SmallestCell = 4; // pixels on a side
// Light to dark, so that a single reading still shows on white and the darkest stands
// out; the shades of ColorBrewer's OrRd, which colour-blind readers also see as a scale.
constexpr std::array<ChartInk, 7> Shades = {{{253, 212, 158, 255},
                                             {253, 187, 132, 255},
                                             {252, 141, 89, 255},
                                             {239, 101, 72, 255},
                                             {215, 48, 31, 255},
                                             {179, 0, 0, 255},
                                             {127, 0, 0, 255}}};

// A cell of several of the table's cells, and how many readings it holds.
struct DrawnCell {
    std::int64_t t = 0;
    std::int64_t e = 0;
    std::uint64_t count = 0;
};

std::int64_t FloorDivided(std::int64_t value, std::int64_t by) {
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

// The lowest count of each shade, 1 first, on a logarithmic scale up to the largest.
std::vector<std::uint64_t> ShadeFloors(std::uint64_t largest) {
    const std::size_t shades = std::min<std::uint64_t>(Shades.size(), largest);
    std::vector<std::uint64_t> floors = {1};
    for (std::size_t level = 1; level < shades; ++level) {
        const auto floor = static_cast<std::uint64_t>(std::ceil(
            std::pow(static_cast<double>(largest), static_cast<double>(level) / shades) - 1e-9));
        floors.push_back(std::max(floor, floors.back() + 1));
    }
    return floors;
}

ChartInk ShadeOf(std::size_t level, std::size_t levels) {
    const std::size_t spread = levels < 2 ? 0 : level * (Shades.size() - 1) / (levels - 1);
    return Shades[spread];
}

std::size_t LevelOf(std::uint64_t count, const std::vector<std::uint64_t>& floors) {
    return static_cast<std::size_t>(std::upper_bound(floors.begin(), floors.end(), count) -
                                    floors.begin()) -
           1;
}

std::string CountText(std::uint64_t low, std::uint64_t high) {
    return low == high ? GroupedDigits(low) : GroupedDigits(low) + "–" + GroupedDigits(high);
}

class Readings {
  public:
    Readings(const Context& context, LabelPlacer& placer) : context_(context), placer_(placer) {
        const ChartFrame& frame = context.drawing.frame;
        legendLeft_ = frame.left + frame.width + context.Scaled(EdgeMargin);
        legendTop_ = frame.top;
    }

    void Add() {
        if (!context_.description.cells.empty()) {
            AddCells();
        } else {
            AddPoints();
        }
    }

  private:
    void AddPoints() {
        const double radius = context_.Scaled(PointRadius);
        std::array<bool, 13> months{};
        for (const LogbookPoint& point : context_.description.points) {
            months[point.month] = true;
        }
        const bool dated = std::any_of(months.begin() + 1, months.end(), [](bool m) { return m; });
        for (const LogbookPoint& point : context_.description.points) {
            const PixelPoint at = context_.Map(point.at);
            context_.Add(DrawnDot{ChartRole::Point, at, radius, InkOf(point.month, dated)});
            placer_.Block(PixelBox{at.x, at.y, at.x, at.y}.Grown(radius));
        }
        if (!dated) {
            return;
        }
        LegendTitle("Месец");
        for (int month = 1; month <= 12; ++month) {
            if (months[static_cast<std::size_t>(month)]) {
                LegendEntry(InkOf(month, true), std::string(MonthName(month)), true);
            }
        }
        if (months[0]) {
            LegendEntry(InkOf(0, true), std::string(MonthName(0)), true);
        }
    }

    static ChartInk InkOf(int month, bool dated) {
        ChartInk ink = dated ? MonthInk(month) : UndatedInk;
        ink.alpha = PointAlpha;
        return ink;
    }

    void AddCells() {
        const ChartFrame& frame = context_.drawing.frame;
        // Cells of whole table cells, each a few pixels on a side.
        const double perUnitT = frame.width / frame.t.Width() / CellsPerUnit;
        const double perUnitE = frame.height / frame.e.Width() / CellsPerUnit;
        const double smallest = context_.Scaled(SmallestCell);
        const auto across =
            static_cast<std::int64_t>(std::max(1.0, std::ceil(smallest / perUnitT)));
        const auto up = static_cast<std::int64_t>(std::max(1.0, std::ceil(smallest / perUnitE)));
        std::vector<DrawnCell> cells;
        cells.reserve(context_.description.cells.size());
        for (const CountedCell& cell : context_.description.cells) {
            cells.push_back({FloorDivided(cell.t, across), FloorDivided(cell.e, up), cell.count});
        }
        std::sort(cells.begin(), cells.end(), [](const DrawnCell& a, const DrawnCell& b) {
            return a.t != b.t ? a.t < b.t : a.e < b.e;
        });
        std::vector<DrawnCell> merged;
        for (const DrawnCell& cell : cells) {
            if (!merged.empty() && merged.back().t == cell.t && merged.back().e == cell.e) {
                merged.back().count += cell.count;
            } else {
                merged.push_back(cell);
            }
        }
        std::uint64_t largest = 1;
        for (const DrawnCell& cell : merged) {
            largest = std::max(largest, cell.count);
        }
        const std::vector<std::uint64_t> floors = ShadeFloors(largest);
        const PixelBox bounds = frame.Box();
        for (const DrawnCell& cell : merged) {
            // A table cell reaches half a step either side of its value.
            const auto edge = [](std::int64_t index, std::int64_t size) {
                return (static_cast<float>(index * size) - 0.5f) / CellsPerUnit;
            };
            const PixelPoint lowLeft = context_.Map({edge(cell.t, across), edge(cell.e, up)});
            const PixelPoint highRight =
                context_.Map({edge(cell.t + 1, across), edge(cell.e + 1, up)});
            const PixelBox box{std::max(lowLeft.x, bounds.left), std::max(highRight.y, bounds.top),
                               std::min(highRight.x, bounds.right),
                               std::min(lowLeft.y, bounds.bottom)};
            if (box.Width() <= 0 || box.Height() <= 0) {
                continue;
            }
            context_.Add(DrawnRect{ChartRole::Cell,
                                   box,
                                   ShadeOf(LevelOf(cell.count, floors), floors.size()),
                                   {},
                                   0,
                                   false});
            placer_.Block(box);
        }
        LegendTitle("Показания в клетка");
        LegendNote(TickText(static_cast<float>(across) / CellsPerUnit) + " °C × " +
                   TickText(static_cast<float>(up) / CellsPerUnit) + " hPa");
        for (std::size_t level = floors.size(); level-- > 0;) {
            const std::uint64_t high = level + 1 < floors.size() ? floors[level + 1] - 1 : largest;
            LegendEntry(ShadeOf(level, floors.size()), CountText(floors[level], high), false);
        }
    }

    void LegendTitle(std::string text) { LegendLine(std::move(text), true, 0); }

    void LegendNote(std::string text) { LegendLine(std::move(text), false, 0); }

    void LegendLine(std::string text, bool bold, double indent) {
        const double size = context_.Scaled(LegendSize);
        context_.Text(ChartRole::Legend, {legendLeft_ + indent, legendTop_ + TextAscent * size},
                      TextAnchor::Start, LegendSize, bold, PenOf(ChartRole::Legend).ink,
                      std::move(text));
        legendTop_ += LineSpacing * size * 1.1;
    }

    // A dot or a swatch in the colour, and what it stands for.
    void LegendEntry(ChartInk ink, std::string text, bool dot) {
        const double size = context_.Scaled(LegendSize);
        const double side = size * 0.8;
        const double middle = legendTop_ + (TextAscent + TextDescent) * size / 2;
        if (dot) {
            context_.Add(DrawnDot{ChartRole::Legend,
                                  {legendLeft_ + side / 2, middle},
                                  context_.Scaled(PointRadius) * 1.2,
                                  ink});
        } else {
            context_.Add(
                DrawnRect{ChartRole::Legend,
                          {legendLeft_, middle - side / 2, legendLeft_ + side, middle + side / 2},
                          ink,
                          {},
                          0,
                          false});
        }
        LegendLine(std::move(text), false, side + context_.Scaled(Gap));
    }

    const Context& context_;
    LabelPlacer& placer_;
    double legendLeft_ = 0;
    double legendTop_ = 0;
};

} // namespace

void AddLogbookReadings(const Context& context, LabelPlacer& placer) {
    Readings(context, placer).Add();
}

} // namespace chart::layout
