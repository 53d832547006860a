#include "web/page_texts.h"

#include "calc/main_window_texts.h"
#include "pages/embedded_pictures.h"
#include "web/json_text.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

using namespace main_window_texts;

struct PageItem {
    std::string_view text;
    int imageId; // 0: the about box
};

std::string PageList(std::string_view menu, std::initializer_list<PageItem> items) {
    std::string json = "[" + JsonString(menu) + ",[";
    bool first = true;
    for (const PageItem& item : items) {
        json += std::string(first ? "" : ",") + "[" + JsonString(item.text) + "," +
                std::to_string(item.imageId) + "]";
        first = false;
    }
    return json + "]]";
}

} // namespace

std::string PageTextsJson() {
    const std::initializer_list<std::pair<std::string_view, std::string_view>> texts = {
        {"WindowTitle", WindowTitle},
        {"DryBulbPlaceholder", DryBulbPlaceholder},
        {"WetBulbPlaceholder", WetBulbPlaceholder},
        {"PressurePlaceholder", PressurePlaceholder},
        {"AbsoluteHumidityPlaceholder", AbsoluteHumidityPlaceholder},
        {"RelativeHumidityPlaceholder", RelativeHumidityPlaceholder},
        {"DewPointPlaceholder", DewPointPlaceholder},
        {"SaturationPressurePlaceholder", SaturationPressurePlaceholder},
        {"VapourPressurePlaceholder", VapourPressurePlaceholder},
        {"InstructionTitle", InstructionTitle},
        {"InputCaption", InputCaption},
        {"InstructionStep1", InstructionStep1},
        {"InstructionStep2", InstructionStep2},
        {"InstructionStep3", InstructionStep3},
        {"InstructionStep4", InstructionStep4},
        {"InstructionStep5", InstructionStep5},
        {"CalculateHint", CalculateHint},
        {"ClearHint", ClearHint},
        {"CalculateButton", CalculateButton},
        {"ClearButton", ClearButton},
        {"AbsoluteHumidityCaption", AbsoluteHumidityCaption},
        {"RelativeHumidityCaption", RelativeHumidityCaption},
        {"DewPointCaption", DewPointCaption},
        {"SaturationPressureCaption", SaturationPressureCaption},
        {"VapourPressureCaption", VapourPressureCaption},
        {"DryBulbTip", DryBulbTip},
        {"WetBulbTip", WetBulbTip},
        {"PressureTip", PressureTip},
        {"CalculateTip", CalculateTip},
        {"ClearTip", ClearTip},
        {"AbsoluteHumidityTip", AbsoluteHumidityTip},
        {"RelativeHumidityTip", RelativeHumidityTip},
        {"DewPointTip", DewPointTip},
        {"SaturationPressureTip", SaturationPressureTip},
        {"VapourPressureTip", VapourPressureTip},
        {"StatusTemperature", StatusTemperature},
        {"StatusHpa", StatusHpa},
        {"StatusMbar", StatusMbar},
        {"StatusMmhg", StatusMmhg},
        {"StatusAltitude", StatusAltitude},
        {"StatusAspirated", StatusAspirated},
        {"StatusNonAspirated", StatusNonAspirated},
        {"StatusIceBulb", StatusIceBulb},
        {"ProblemCaption", ProblemCaption},
        {"UnitMenu", UnitMenu},
        {"HpaItem", HpaItem},
        {"MbarItem", MbarItem},
        {"MmhgItem", MmhgItem},
        {"AltitudeItem", AltitudeItem},
        {"TypeMenu", TypeMenu},
        {"AspiratedItem", AspiratedItem},
        {"NonAspiratedItem", NonAspiratedItem},
        {"IceBulbItem", IceBulbItem},
        {"DefinitionsMenu", DefinitionsMenu},
        {"AirHumidityItem", AirHumidityItem},
        {"WaterVapourItem", WaterVapourItem},
        {"TemperatureScalesItem", TemperatureScalesItem},
        {"HandbookMenu", HandbookMenu},
        {"TaleItem", TaleItem},
        {"TextbookItem", TextbookItem},
        {"AugustItem", AugustItem},
        {"AssmannItem", AssmannItem},
        {"LicenceItem", LicenceItem},
        {"AboutItem", AboutItem},
        {"ContactItem", ContactItem},
        {"ChartMenu", ChartMenu},
        {"ChartItem", ChartItem},
        {"QuitMenu", QuitMenu},
        {"QuitItem", QuitItem},
        {"ViewerTitle", ViewerTitle},
        {"SavePageTip", SavePageTip},
        {"PrintPageTip", PrintPageTip},
        {"SavedPageName", SavedPageName},
        {"AboutCaption", AboutCaption},
        {"AboutText", AboutText},
    };
    std::string json = "{";
    for (const auto& [name, text] : texts) {
        json += JsonString(name) + ":" + JsonString(text) + ",";
    }
    // The help pages as the window's menus list them.
    json +=
        "\"pages\":[" +
        PageList(DefinitionsMenu, {{AirHumidityItem, Id(ImageId::PageAirHumidity)},
                                   {WaterVapourItem, Id(ImageId::PageWaterVapour)},
                                   {TemperatureScalesItem, Id(ImageId::PageTemperatureScales)}}) +
        "," +
        PageList(HandbookMenu, {{TaleItem, Id(ImageId::PageTale)},
                                {TextbookItem, Id(ImageId::PageTextbook)},
                                {AugustItem, Id(ImageId::PageAugust)},
                                {AssmannItem, Id(ImageId::PageAssmann)},
                                {LicenceItem, Id(ImageId::PageLicence)},
                                {AboutItem, 0},
                                {ContactItem, Id(ImageId::PageContact)}}) +
        "]";
    return json + "}";
}
