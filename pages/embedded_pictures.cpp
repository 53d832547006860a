#include "pages/embedded_pictures.h"

#include <array>
#include <cstddef>

// The ten picture files, end to end in read-only data in catalogue order. The build
// passes ZORVEL_PICTURE_DIR and makes this file depend on every picture, so that an
// edited picture is embedded again. Each label marks where one file starts; the next
// label (or the end label) marks where it ends.
#define ZORVEL_PICTURE(label, file)                                                                \
    ".global " label "\n" label ":\n"                                                              \
    ".incbin \"" ZORVEL_PICTURE_DIR "/" file "\"\n"

asm(".pushsection .rodata.zorvel_pictures, \"a\", @progbits\n" ZORVEL_PICTURE("zorvel_picture_logo",
                                                                              "logo.bmp")
        ZORVEL_PICTURE("zorvel_picture_licence",
                       "licence.jpg") ZORVEL_PICTURE("zorvel_picture_contact", "contact.jpg")
            ZORVEL_PICTURE("zorvel_picture_tale",
                           "tale.jpg") ZORVEL_PICTURE("zorvel_picture_textbook", "textbook.jpg")
                ZORVEL_PICTURE("zorvel_picture_august",
                               "august.jpg") ZORVEL_PICTURE("zorvel_picture_assmann", "assmann.jpg")
                    ZORVEL_PICTURE("zorvel_picture_air_humidity", "air_humidity.jpg")
                        ZORVEL_PICTURE("zorvel_picture_water_vapour", "water_vapour.jpg")
                            ZORVEL_PICTURE("zorvel_picture_temperature_scales",
                                           "temperature_scales.jpg") ".global zorvel_pictures_end\n"
                                                                     "zorvel_pictures_end:\n"
                                                                     ".popsection\n");

extern "C" {
extern const unsigned char zorvel_picture_logo[];
extern const unsigned char zorvel_picture_licence[];
extern const unsigned char zorvel_picture_contact[];
extern const unsigned char zorvel_picture_tale[];
extern const unsigned char zorvel_picture_textbook[];
extern const unsigned char zorvel_picture_august[];
extern const unsigned char zorvel_picture_assmann[];
extern const unsigned char zorvel_picture_air_humidity[];
extern const unsigned char zorvel_picture_water_vapour[];
extern const unsigned char zorvel_picture_temperature_scales[];
extern const unsigned char zorvel_pictures_end[];
}

namespace {

struct CatalogueEntry {
    int imageId;
    const unsigned char* start;
};

// In the order the files lie in the data, closed by the end of the last one.
constexpr std::array<CatalogueEntry, 11> kCatalogue = {{
    {ImageLogo, zorvel_picture_logo},
    {PageLicence, zorvel_picture_licence},
    {PageContact, zorvel_picture_contact},
    {PageTale, zorvel_picture_tale},
    {PageTextbook, zorvel_picture_textbook},
    {PageAugust, zorvel_picture_august},
    {PageAssmann, zorvel_picture_assmann},
    {PageAirHumidity, zorvel_picture_air_humidity},
    {PageWaterVapour, zorvel_picture_water_vapour},
    {PageTemperatureScales, zorvel_picture_temperature_scales},
    {0, zorvel_pictures_end},
}};

} // namespace

std::span<const unsigned char> EmbeddedImage(int imageId) {
    for (std::size_t i = 0; i + 1 < kCatalogue.size(); ++i) {
        if (kCatalogue[i].imageId == imageId) {
            return {kCatalogue[i].start, kCatalogue[i + 1].start};
        }
    }
    return {};
}
