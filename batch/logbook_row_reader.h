// One logbook row from its cells to its results: the cells it takes its readings from, the
// defaults for those it lacks, the thermometers' corrections, and the wet bulb found for a
// hygrometer's reading.
#pragma once

#include "batch/logbook_columns.h"
#include "batch/logbook_conversion.h"
#include "batch/logbook_row.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class RowReader {
  public:
    // `settings` must outlive the reader. With `decimalComma`, a comma in a reading is its
    // decimal point.
    RowReader(const LogbookColumns& columns, const ConversionSettings& settings, bool decimalComma);

    // Into `cells`, which are empty.
    void Calculate(const std::vector<std::string>& fields, RowCells& cells);

  private:
    // The message that refuses the row before the calculator sees it, or "".
    std::string_view CalculateReadings(const std::vector<std::string>& fields, RowCells& cells);
    std::string_view ObservedAt(const std::vector<std::string>& fields,
                                std::optional<ObservationTime>& observed) const;
    std::optional<BarometerUnit> UnitOf(const std::vector<std::string>& fields) const;
    std::optional<PsychrometerType> TypeOf(const std::vector<std::string>& fields) const;
    std::optional<BulbChoice> BulbOf(const std::vector<std::string>& fields) const;
    // The row's own coefficient, the option's, or none for the type's; false for a cell
    // that holds no coefficient.
    bool CoefficientOf(const std::vector<std::string>& fields, std::optional<float>& coefficient);
    std::size_t PressureColumn(BarometerUnit unit) const;
    // Adds the certificate's correction to a reading in `text`, also kept in `record`; false
    // when no certificate holds on the row's day. A text that is no reading is left for the
    // calculator's own message.
    bool Correct(Thermometer thermometer, std::string& text, std::string& record,
                 const std::optional<ObservationTime>& observed) const;
    std::string_view CorrectReadings(RowCells& cells);
    // The wet bulb for the row's relative humidity or dew point, as a reading's text, or
    // the message that refuses the row.
    std::string_view FindWetBulb(const std::vector<std::string>& fields, const RowReadings& row);

    LogbookColumns columns_;
    const ConversionSettings& settings_;
    bool decimalComma_;
    // Reused from row to row, so that a long logbook allocates nothing new.
    std::string pressure_;
    std::string dryBulb_;
    std::string wetBulb_;
    std::string cell_;
    std::string message_; // what FindWetBulb tells, kept beyond its call
};
