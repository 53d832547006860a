// The Bulgarian texts of the main window, letter for letter (leading and trailing spaces
// and the odd spelling included: users have seen them this way for years). The web page
// shows the same ones, so they live below both.
#pragma once

#include <string_view>

namespace main_window_texts {

inline constexpr std::string_view WindowTitle = " Зорвел - Софтуер за работа с психрометър ";

// Initial texts of the fields; the output ones are placeholders until the first result.
inline constexpr std::string_view DryBulbPlaceholder = "Tdry=";
inline constexpr std::string_view WetBulbPlaceholder = "Twet=";
inline constexpr std::string_view PressurePlaceholder = "P/h=";
inline constexpr std::string_view AbsoluteHumidityPlaceholder = "F [g/m3]";
inline constexpr std::string_view RelativeHumidityPlaceholder = "RH [%]";
inline constexpr std::string_view DewPointPlaceholder = "Td  [°C]";
inline constexpr std::string_view SaturationPressurePlaceholder = "E [hPa]";
inline constexpr std::string_view VapourPressurePlaceholder = "е [hPa]"; // Cyrillic е

inline constexpr std::string_view InstructionTitle = " Инструкция за работа";
inline constexpr std::string_view InputCaption = " Входни данни";
inline constexpr std::string_view InstructionStep1 =
    "1. От менюто <Скала на барометъра> изберете мерната единица на Вашия барометър. Ако не "
    "разполагате с барометър - изберете <По надморска височина в [m]>. По подразбиране е "
    "[hPa].";
inline constexpr std::string_view InstructionStep2 =
    "2. От менюто <Вид на психрометъра> изберете вида на Вашия психрометър - с или без "
    "аспирация на въздуха. По подразбиране е аспирационен психрометър на Асман.";
inline constexpr std::string_view InstructionStep3 =
    "3. Поставете показалеца на мишката в полето Tdry и въведете показанието на сухия "
    "термометър в градуси Целзий с дименсия 0.1. Например 20.5. Преминаване в друго поле може "
    "и с бутон TAB.";
inline constexpr std::string_view InstructionStep4 =
    "4. Поставете показалеца на мишката в полето Twet и въведете показанието на мокрия "
    "термометър в градуси Целзий с дименсия 0.1. Например 18.3. Преминаване в друго поле може "
    "и с бутон TAB.";
inline constexpr std::string_view InstructionStep5 =
    "5. Поставете показалеца на мишката в полето P/h и въведете атмосферното налягане с "
    "дименсия 0.1. Например 981.1 [hPa]. Ако нямате барометър - въведете надморската височина "
    "на мястото. ";
inline constexpr std::string_view CalculateHint =
    " След като въведете входните данни в съответните полета - натиснете бутона <Изчисли>, за "
    "да получите резултата.";
inline constexpr std::string_view ClearHint =
    " Ако искате да продължите с нова конфигурация на психрометъра или дименсия на барометъра "
    "- натиснете бутона <Изчисти>.";
inline constexpr std::string_view CalculateButton = "Изчисли";
inline constexpr std::string_view ClearButton = "Изчисти";

inline constexpr std::string_view AbsoluteHumidityCaption = " Абсолютна влажност на въздуха";
inline constexpr std::string_view RelativeHumidityCaption = " Относителна влажност на въздуха";
inline constexpr std::string_view DewPointCaption = " Точка на оросяване";
inline constexpr std::string_view SaturationPressureCaption = " Налягане на наситените водни пари";
inline constexpr std::string_view VapourPressureCaption = " Парциално налягане на водните пари";

inline constexpr std::string_view DryBulbTip =
    "Тук се въвежда температурата от сухия термометър в градуси Целзий.";
inline constexpr std::string_view WetBulbTip =
    "Тук се въвежда температурата от мокрия термометър в градуси Целзий.";
inline constexpr std::string_view PressureTip =
    "Тук се въвежда атмосферното налягане или надморската височина на мястото.";
inline constexpr std::string_view CalculateTip =
    "Натиснете бутона, за да бъдат изчислени характеристиките на влажността на въздуха";
inline constexpr std::string_view ClearTip =
    "Натиснете бутона, за да бъдат изчистени въведените данни и да работите отново";
inline constexpr std::string_view AbsoluteHumidityTip =
    "Тук се получава стойността на абсолютната влажност на въздуха";
inline constexpr std::string_view RelativeHumidityTip =
    "Тук се получава стойността на относителната влажност на въздуха";
inline constexpr std::string_view DewPointTip =
    "Тук се получава стойността на точката на оросяване в градуси Целзий";
inline constexpr std::string_view SaturationPressureTip =
    "Тук се получава налягането на наситените водни пари";
inline constexpr std::string_view VapourPressureTip =
    "Тук се получава парциалвото налягане на водните пари";

inline constexpr std::string_view StatusTemperature = " Работите с температура в  [°C]";
inline constexpr std::string_view StatusHpa = "  Работите с налягане в [hPa]   ";
inline constexpr std::string_view StatusMbar = "  Работите с налягане в [mBar]   ";
inline constexpr std::string_view StatusMmhg = "  Работите с налягане в [mmHg]   ";
inline constexpr std::string_view StatusAltitude = "  Работите с надморска височина в [m]   ";
inline constexpr std::string_view StatusAspirated = "Използвате психрометър с аспирация";
inline constexpr std::string_view StatusNonAspirated = "Използвате психрометър без аспирация";
inline constexpr std::string_view StatusIceBulb = "Мокрият термометър е заледен";

// The caption of every box that refuses a press.
inline constexpr std::string_view ProblemCaption = "Проблем!";

// The menus. "&" marks the letter that chooses a title or item from the keyboard (shown
// underlined, never as "&"), each unique within its menu. "Дефиниции " keeps its trailing
// space.
inline constexpr std::string_view UnitMenu = "&Скала на барометъра";
inline constexpr std::string_view HpaItem = "&Данни от барометър в [hPa]";
inline constexpr std::string_view MbarItem = "Данни от &барометър в [mBar]";
inline constexpr std::string_view MmhgItem = "Данни &от барометър в [mmHg]";
inline constexpr std::string_view AltitudeItem = "&По надморска височина в [m]";
inline constexpr std::string_view TypeMenu = "&Вид на психрометъра";
inline constexpr std::string_view AspiratedItem = "&С аспирация";
inline constexpr std::string_view NonAspiratedItem = "&Без аспирация";
inline constexpr std::string_view IceBulbItem = "&Заледен мокър термометър";
inline constexpr std::string_view DefinitionsMenu = "&Дефиниции ";
inline constexpr std::string_view AirHumidityItem = "&За влажност на въздуха";
inline constexpr std::string_view WaterVapourItem = "За &водни пари";
inline constexpr std::string_view TemperatureScalesItem = "&Температурни скали";
inline constexpr std::string_view HandbookMenu = "&Помагало";
inline constexpr std::string_view TaleItem = "Психрометър - като &приказка";
inline constexpr std::string_view TextbookItem = "Психрометър - като &учебник";
inline constexpr std::string_view AugustItem = "Психрометър на &Август";
inline constexpr std::string_view AssmannItem = "Психрометър на Ас&ман";
inline constexpr std::string_view LicenceItem = "&Лицензионно споразумение";
inline constexpr std::string_view AboutItem = "За &софтуера";
inline constexpr std::string_view ContactItem = "За &връзка с нас";
inline constexpr std::string_view ChartMenu = "Диа&грама";
inline constexpr std::string_view ChartItem = "&Психрометрична диаграма";
inline constexpr std::string_view QuitMenu = "&Изход";
inline constexpr std::string_view QuitItem = "&Изход от програмата";

// The page viewer: its title, its two toolbar buttons and the name a save suggests.
inline constexpr std::string_view ViewerTitle = "Зорвел- помощна информация";
inline constexpr std::string_view SavePageTip = "Запиши страницата";
inline constexpr std::string_view PrintPageTip = "Отпечатай страницата";
inline constexpr std::string_view SavedPageName = "Помагало_.jpg";

// The about box.
inline constexpr std::string_view AboutCaption = "За софтуера";
inline constexpr std::string_view AboutText =
    "Зорвел, версия 1.1\n"
    "\n"
    "Калкулатор за психрометър със сух и мокър термометър. От показанията на сухия и "
    "мокрия термометър в градуси Целзий и от атмосферното налягане в [hPa], [mBar] или "
    "[mmHg] (или от надморската височина на мястото в [m], ако нямате барометър) "
    "програмата изчислява абсолютната и относителната влажност на въздуха, точката на "
    "оросяване, налягането на наситените водни пари и парциалното налягане на водните "
    "пари.\n"
    "\n"
    "Програмата е безплатна (freeware) и се разпространява при условията на "
    "лицензионното споразумение от менюто „Помагало“.";

} // namespace main_window_texts
