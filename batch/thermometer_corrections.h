// The corrections of a station's two thermometers, from their calibration certificates: a
// certificate lists readings with the correction to add to each, and holds from its date on
// until a later one replaces it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

enum class Thermometer : std::uint8_t { Dry, Wet };

struct CorrectionPoint {
    double reading = 0;    // °C
    double correction = 0; // °C, added to the reading
};

class ThermometerCorrections {
  public:
    // A point of the certificate of `thermometer` that holds from the day `fromDay`
    // (DayNumber), or always when it has no date. False when that certificate already has
    // a correction for the same reading.
    bool Add(Thermometer thermometer, std::optional<std::int32_t> fromDay, CorrectionPoint point);
    bool Empty() const { return certificates_.empty(); }

    // What to add to `reading` on `day` (a row without a date: nothing): the correction of
    // the latest certificate of the thermometer that holds on that day, linear between its
    // readings and constant beyond its ends. 0 for a thermometer without any certificate;
    // none when it has certificates but none of them holds yet, or a row without a date
    // meets only dated ones.
    std::optional<double> For(Thermometer thermometer, double reading,
                              std::optional<std::int32_t> day) const;

  private:
    struct Certificate {
        Thermometer thermometer = Thermometer::Dry;
        std::optional<std::int32_t> fromDay;
        std::vector<CorrectionPoint> points; // by reading
    };
    std::vector<Certificate> certificates_;
};
