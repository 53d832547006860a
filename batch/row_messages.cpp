#include "batch/row_messages.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> Translations{{
    {"Няма данни за атмосферно налягане", "No atmospheric pressure given"},
    {"Има грешка при надморската височина", "Error in the altitude"},
    {"Има грешка при стойността на налягането", "Error in the pressure value"},
    {"Няма данни за сухия термометър", "No dry-bulb reading given"},
    {"Има грешка при стойността на сухия термометър", "Error in the dry-bulb reading"},
    {"Няма данни за мокрия термометър", "No wet-bulb reading given"},
    {"Има грешка при стойността на мокрия термометър", "Error in the wet-bulb reading"},
    {ImpossibleReadingsMessage, "Error in the dry-bulb and wet-bulb readings taken together"},
    {IceBulbAboveZeroMessage, "An iced wet bulb cannot read above 0 °C"},
}};

} // namespace

std::string_view InLanguage(std::string_view message, MessageLanguage language) {
    if (language == MessageLanguage::English) {
        for (const auto& [bulgarian, english] : Translations) {
            if (message == bulgarian) {
                return english;
            }
        }
    }
    return message;
}

std::string_view UnknownUnitMessage(MessageLanguage language) {
    return language == MessageLanguage::English ? "Unknown barometer unit"
                                                : "Непозната мерна единица на барометъра";
}

std::string_view UnknownTypeMessage(MessageLanguage language) {
    return language == MessageLanguage::English ? "Unknown psychrometer type"
                                                : "Непознат вид на психрометъра";
}

std::string_view UnknownBulbMessage(MessageLanguage language) {
    return language == MessageLanguage::English ? "Unknown wet-bulb state (water or ice)"
                                                : "Непознато състояние на мокрия термометър";
}

std::string_view GuessedWindows1251Message(MessageLanguage language) {
    return language == MessageLanguage::English
               ? "the header is not UTF-8; the input is read as Windows-1251"
               : "заглавният ред не е UTF-8; входът се чете като Windows-1251";
}
