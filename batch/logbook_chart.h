// The points of a logbook's chart, gathered row by row while its table is written.
#pragma once

#include "chart/chart_description.h"

#include <vector>

// A million-row logbook keeps twelve bytes a row here: the point's two floats and the
// row's pressure until the median is taken. Nothing else of a row is kept.
class LogbookChart {
  public:
    void Add(float dryBulb, float vapourPressure, float pressure);

    // The chart over the curves at the median pressure of the rows (the standard
    // atmosphere's 1013.25 hPa when there are none); the points move into it.
    chart::ChartDescription Describe();

  private:
    std::vector<chart::ChartPoint> points_;
    std::vector<float> pressures_;
};
