#include "batch/corrections_file.h"

#include "batch/csv_reader.h"
#include "batch/decimal_comma.h"
#include "batch/file_failure_text.h"
#include "batch/observation_time.h"
#include "batch/row_shape.h"
#include "batch/text_folding.h"
#include "batch/two_languages.h"
#include "calc/input_reading.h"
#include "calc/reading_text.h"

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

enum Column : std::size_t { ThermometerColumn, ReadingColumn, CorrectionColumn, FromColumn, Count };

struct ColumnNames {
    std::string_view english;
    std::string_view bulgarian;
};
constexpr std::array<ColumnNames, Count> Names{{
    {"thermometer", "термометър"},
    {"reading", "показание"},
    {"correction", "поправка"},
    {"from", "от"},
}};

// "thermometer (или термометър)".
std::string Named(Column column, MessageLanguage language) {
    return std::string(Names[column].english) + std::string(TextIn(language, " (или ", " (or ")) +
           std::string(Names[column].bulgarian) + ")";
}

class CorrectionsReader {
  public:
    CorrectionsReader(std::FILE* in, MessageLanguage language)
        : input_(in, std::nullopt), reader_(input_), language_(language) {}

    std::variant<ThermometerCorrections, CorrectionsFileProblem> Read() {
        std::vector<std::string> fields;
        if (!Next(fields)) {
            return Problem(problem_.empty() ? Text("няма заглавен ред", "no header row")
                                            : problem_);
        }
        const std::uint64_t headerLine = reader_.RecordLine();
        if (!FindColumns(fields)) {
            return Problem(problem_);
        }
        const std::size_t width = fields.size();
        ThermometerCorrections corrections;
        while (Next(fields)) {
            std::string shape =
                RowShapeProblem(fields, width, reader_.Fault(), reader_.Delimiter(), language_);
            if (!shape.empty()) {
                return Problem(shape);
            }
            if (!AddRow(fields, corrections)) {
                return Problem(problem_);
            }
        }
        if (!problem_.empty()) {
            return Problem(problem_);
        }
        if (corrections.Empty()) {
            return CorrectionsFileProblem{headerLine, Text("във файла няма нито една поправка",
                                                           "the file holds no correction")};
        }
        return corrections;
    }

  private:
    // False at the end, or with problem_ set when the file cannot be read further.
    bool Next(std::vector<std::string>& fields) {
        fields.clear();
        const RecordStatus status = reader_.Next(fields);
        if (status == RecordStatus::Record) {
            return true;
        }
        if (status == RecordStatus::TooLong) {
            problem_ = Text("редът е твърде дълъг", "the row is too long");
        } else if (status == RecordStatus::ReadError) {
            problem_ = ReadFailureText(input_.ErrorNumber(), language_);
        }
        return false;
    }

    bool FindColumns(const std::vector<std::string>& header) {
        for (std::size_t at = 0; at < header.size(); ++at) {
            const std::string name = FoldForMatching(header[at]);
            for (std::size_t column = 0; column < Count; ++column) {
                if (name != Names[column].english && name != Names[column].bulgarian) {
                    continue;
                }
                if (columns_[column]) {
                    problem_ = Text("две колони ", "two columns ") +
                               Named(static_cast<Column>(column), language_);
                    return false;
                }
                columns_[column] = at;
            }
        }
        for (const Column required : {ThermometerColumn, ReadingColumn, CorrectionColumn}) {
            if (!columns_[required]) {
                problem_ = Text("няма колона ", "no column ") + Named(required, language_);
                return false;
            }
        }
        return true;
    }

    bool AddRow(const std::vector<std::string>& fields, ThermometerCorrections& corrections) {
        const std::string thermometerName = FoldForMatching(fields[*columns_[ThermometerColumn]]);
        std::optional<Thermometer> thermometer;
        if (thermometerName == "dry" || thermometerName == "сух") {
            thermometer = Thermometer::Dry;
        } else if (thermometerName == "wet" || thermometerName == "мокър") {
            thermometer = Thermometer::Wet;
        } else {
            problem_ = Text("непознат термометър „", "unknown thermometer '") +
                       fields[*columns_[ThermometerColumn]] +
                       Text("“ (dry или сух, wet или мокър)", "' (dry or сух, wet or мокър)");
            return false;
        }
        CorrectionPoint point;
        if (!Number(fields, ReadingColumn, point.reading) ||
            !Number(fields, CorrectionColumn, point.correction)) {
            return false;
        }
        std::optional<std::int32_t> fromDay;
        if (columns_[FromColumn] && !FoldForMatching(fields[*columns_[FromColumn]]).empty()) {
            const std::optional<ObservationTime> from =
                ParseObservationDate(fields[*columns_[FromColumn]]);
            if (!from || from->minuteOfDay) {
                problem_ =
                    Text("неразпозната дата в колоната ", "unrecognised date in the column ") +
                    Named(FromColumn, language_) +
                    Text(" (ГГГГ-ММ-ДД или ДД.ММ.ГГГГ)", " (YYYY-MM-DD or DD.MM.YYYY)");
                return false;
            }
            fromDay = DayNumber(*from);
        }
        if (!corrections.Add(*thermometer, fromDay, point)) {
            problem_ = Text("показанието вече има поправка в същото свидетелство",
                            "the reading has a correction in the same certificate already");
            return false;
        }
        return true;
    }

    bool Number(const std::vector<std::string>& fields, Column column, double& value) {
        std::string text = fields[*columns_[column]];
        if (ReadsDecimalComma(reader_.Delimiter())) {
            UseDecimalPoint(text);
        }
        const float number = ParseDecimal(text);
        if (ClassifyReadingText(text) != ReadingTextForm::WellFormed || !std::isfinite(number)) {
            problem_ =
                Text("неразпознато число в колоната ", "unrecognised number in the column ") +
                Named(column, language_);
            return false;
        }
        value = number;
        return true;
    }

    std::string Text(std::string_view bulgarian, std::string_view english) const {
        return std::string(TextIn(language_, bulgarian, english));
    }

    CorrectionsFileProblem Problem(std::string text) const {
        return {reader_.RecordLine(), std::move(text)};
    }

    DecodedInput input_;
    CsvReader reader_;
    MessageLanguage language_;
    std::array<std::optional<std::size_t>, Count> columns_;
    std::string problem_;
};

} // namespace

std::variant<ThermometerCorrections, CorrectionsFileProblem>
ReadCorrectionsFile(std::FILE* in, MessageLanguage language) {
    return CorrectionsReader(in, language).Read();
}
