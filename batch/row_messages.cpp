#include "batch/row_messages.h"

#include "batch/two_languages.h"

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

std::string_view BadDateMessage(MessageLanguage language) {
    return language == MessageLanguage::English
               ? "Unrecognised date (YYYY-MM-DD or DD.MM.YYYY, a time may follow)"
               : "Неразпозната дата (ГГГГ-ММ-ДД или ДД.ММ.ГГГГ, може и с час след нея)";
}

std::string_view BadTimeMessage(MessageLanguage language) {
    return language == MessageLanguage::English ? "Unrecognised time (HH:MM)"
                                                : "Неразпознат час (ЧЧ:ММ)";
}

std::string_view BadCoefficientMessage(MessageLanguage language) {
    return TextIn(language, "Има грешка при коефициента на психрометъра (от 0.0003 до 0.0020)",
                  "Error in the psychrometer coefficient (0.0003 to 0.0020)");
}

std::string_view NoCertificateMessage(Thermometer thermometer, MessageLanguage language) {
    return thermometer == Thermometer::Dry
               ? TextIn(language, "Няма свидетелство с поправки на сухия термометър за тази дата",
                        "No certificate gives the dry bulb's corrections for this date")
               : TextIn(language, "Няма свидетелство с поправки на мокрия термометър за тази дата",
                        "No certificate gives the wet bulb's corrections for this date");
}

std::string_view NoRelativeHumidityMessage(MessageLanguage language) {
    return TextIn(language, "Няма данни за относителната влажност", "No relative humidity given");
}

std::string_view BadRelativeHumidityMessage(MessageLanguage language) {
    return TextIn(language, "Има грешка при стойността на относителната влажност (от 0 до 100 %)",
                  "Error in the relative humidity (0 to 100 %)");
}

std::string_view NoDewPointMessage(MessageLanguage language) {
    return TextIn(language, "Няма данни за точката на оросяване", "No dew point given");
}

std::string_view BadDewPointMessage(MessageLanguage language) {
    return TextIn(language, "Има грешка при стойността на точката на оросяване",
                  "Error in the dew point");
}

std::string_view UnreachedHumidityMessage(MessageLanguage language) {
    return TextIn(language,
                  "Никое показание на мокрия термометър от Tdry − 40 до Tdry не дава тази влажност",
                  "No wet-bulb reading from Tdry − 40 to Tdry gives this humidity");
}

std::string_view GuessedWindows1251Message(MessageLanguage language) {
    return language == MessageLanguage::English
               ? "the header is not UTF-8; the input is read as Windows-1251"
               : "заглавният ред не е UTF-8; входът се чете като Windows-1251";
}
