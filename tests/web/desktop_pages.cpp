// Saves every help page as the desktop program saves it (LoadEmbeddedImage, then
// SaveImageAsJpeg), named after its menu entry, for the browser test to compare the web
// page's downloads with.
// Usage: web_desktop_pages FOLDER
#include "calc/main_window_texts.h"
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"

#include <string>
#include <string_view>
#include <utility>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    using namespace main_window_texts;
    const std::pair<std::string_view, ImageId> pages[] = {
        {AirHumidityItem, ImageId::PageAirHumidity},
        {WaterVapourItem, ImageId::PageWaterVapour},
        {TemperatureScalesItem, ImageId::PageTemperatureScales},
        {TaleItem, ImageId::PageTale},
        {TextbookItem, ImageId::PageTextbook},
        {AugustItem, ImageId::PageAugust},
        {AssmannItem, ImageId::PageAssmann},
        {LicenceItem, ImageId::PageLicence},
        {ContactItem, ImageId::PageContact}};
    for (const auto& [item, image] : pages) {
        std::string name(item);
        name.erase(name.find('&'), 1);
        const int id = Id(image);
        if (LoadEmbeddedImage(id, EmbeddedImage(id)) == nullptr ||
            SaveImageAsJpeg(id, std::string(argv[1]) + "/" + name + ".jpg") != 1) {
            return 1;
        }
    }
    return 0;
}
