#include "batch/reading_names.h"

#include "batch/text_folding.h"

#include <array>
#include <utility>

namespace {

template <typename Value, std::size_t Count>
std::optional<Value> Lookup(const std::array<std::pair<std::string_view, Value>, Count>& names,
                            std::string_view text) {
    const std::string folded = FoldForMatching(text);
    for (const auto& [name, value] : names) {
        if (folded == name) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<BarometerUnit> ParseUnitName(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, BarometerUnit>, 8> Names{{
        {"hpa", BarometerUnit::Hpa},
        {"хпа", BarometerUnit::Hpa},
        {"mbar", BarometerUnit::Mbar},
        {"mb", BarometerUnit::Mbar},
        {"мбар", BarometerUnit::Mbar},
        {"mmhg", BarometerUnit::Mmhg},
        {"m", BarometerUnit::Altitude},
        {"м", BarometerUnit::Altitude},
    }};
    return Lookup(Names, text);
}

std::optional<PsychrometerType> ParseTypeName(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, PsychrometerType>, 8> Names{{
        {"aspirated", PsychrometerType::Aspirated},
        {"с аспирация", PsychrometerType::Aspirated},
        {"1", PsychrometerType::Aspirated},
        {"non-aspirated", PsychrometerType::NonAspirated},
        {"non aspirated", PsychrometerType::NonAspirated},
        {"nonaspirated", PsychrometerType::NonAspirated},
        {"без аспирация", PsychrometerType::NonAspirated},
        {"2", PsychrometerType::NonAspirated},
    }};
    return Lookup(Names, text);
}

std::optional<BulbChoice> ParseBulbName(std::string_view text, bool allowAuto) {
    static constexpr std::array<std::pair<std::string_view, BulbChoice>, 6> Names{{
        {"water", BulbChoice::Water},
        {"вода", BulbChoice::Water},
        {"ice", BulbChoice::Ice},
        {"лед", BulbChoice::Ice},
        {"auto", BulbChoice::Auto},
        {"авто", BulbChoice::Auto},
    }};
    const std::optional<BulbChoice> bulb = Lookup(Names, text);
    return bulb == BulbChoice::Auto && !allowAuto ? std::nullopt : bulb;
}
