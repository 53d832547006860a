#include "chart/calculation_chart.h"

#include "calc/input_reading.h"
#include "calc/result_presentation.h"
#include "chart/psychrometric_chart.h"

namespace chart {

namespace {

std::string PressureText(const AcceptedCalculation& calculation) {
    // The number the calculation read: the field may still carry the unit text of an
    // earlier press after it.
    const std::string given = FormatDecimal(ParseDecimal(calculation.readings.pressureText), 1);
    const std::string inHpa = "P = " + FormatDecimal(calculation.readings.pressure, 1) + " hPa";
    switch (calculation.unit) {
    case BarometerUnit::Hpa:
        return inHpa;
    case BarometerUnit::Mbar:
        return "P = " + given + " mBar";
    case BarometerUnit::Mmhg:
        return "P = " + given + " mmHg";
    case BarometerUnit::Altitude:
        // No pressure was given, and the chart is drawn at this one.
        return "h = " + given + " m, " + inHpa;
    }
    return inHpa;
}

} // namespace

std::string ChartTitle(const AcceptedCalculation& calculation) {
    const InputReadings& readings = calculation.readings;
    std::string title = "Tdry = " + FormatDecimal(readings.dryBulb, 1) +
                        " °C, Twet = " + FormatDecimal(readings.wetBulb, 1) + " °C, " +
                        PressureText(calculation);
    title += calculation.type == PsychrometerType::Aspirated ? ", психрометър с аспирация"
                                                             : ", психрометър без аспирация";
    if (calculation.cover == WetBulbCover::Ice) {
        title += ", заледен мокър термометър";
    }
    return title;
}

ChartDescription DescribeCalculation(const AcceptedCalculation* calculation) {
    if (calculation == nullptr) {
        ChartDescription empty = DescribeEmptyChart(StandardPressure);
        empty.title = EmptyChartTitle;
        return empty;
    }
    const InputReadings& readings = calculation->readings;
    ChartDescription reading =
        DescribeReading({readings.dryBulb, readings.wetBulb, readings.pressure, calculation->type,
                         calculation->cover, calculation->result});
    reading.title = ChartTitle(*calculation);
    return reading;
}

} // namespace chart
