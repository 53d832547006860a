#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

namespace {

using enum ImageId;

struct CatalogueSize {
    ImageId imageId;
    const char* file;
    int width;
    int height;
};

constexpr std::array<CatalogueSize, 10> kCatalogue = {{
    {ImageLogo, "logo.bmp", 125, 59},
    {PageLicence, "licence.jpg", 650, 654},
    {PageContact, "contact.jpg", 634, 475},
    {PageTale, "tale.jpg", 1000, 758},
    {PageTextbook, "textbook.jpg", 1000, 758},
    {PageAugust, "august.jpg", 1000, 758},
    {PageAssmann, "assmann.jpg", 1000, 758},
    {PageAirHumidity, "air_humidity.jpg", 1000, 758},
    {PageWaterVapour, "water_vapour.jpg", 1000, 758},
    {PageTemperatureScales, "temperature_scales.jpg", 1000, 758},
}};

TEST(EmbeddedPictures, EachIdCarriesItsFileByteForByteEndToEnd) {
    const unsigned char* expectedStart = EmbeddedImage(Id(ImageLogo)).data();
    for (const CatalogueSize& entry : kCatalogue) {
        const std::span<const unsigned char> bytes = EmbeddedImage(Id(entry.imageId));
        const std::vector<unsigned char> file =
            testpics::ReadFile(std::string(ZORVEL_PICTURE_DIR) + "/" + entry.file);
        ASSERT_EQ(bytes.size(), file.size()) << entry.file;
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), file.begin())) << entry.file;
        EXPECT_EQ(bytes.data(), expectedStart) << entry.file;
        expectedStart = bytes.data() + bytes.size();
    }
}

TEST(EmbeddedPictures, IdsOutsideTheCatalogueHaveNoBytes) {
    for (int id : {0, -1, 2, 165, 168, 169, 177, 1001}) {
        EXPECT_TRUE(EmbeddedImage(id).empty()) << id;
    }
}

TEST(EmbeddedPictures, EveryPictureLoadsAtItsCatalogueSize) {
    PictureStore store;
    for (const CatalogueSize& entry : kCatalogue) {
        const ImageRef picture = store.Load(Id(entry.imageId), EmbeddedImage(Id(entry.imageId)));
        ASSERT_NE(picture, nullptr) << entry.file;
        EXPECT_EQ(picture->width, entry.width) << entry.file;
        EXPECT_EQ(picture->height, entry.height) << entry.file;
        EXPECT_EQ(picture->depth, 24) << entry.file;
        EXPECT_EQ(picture->pixels.size(),
                  static_cast<std::size_t>((entry.width * 3 + 3) / 4 * 4) * entry.height)
            << entry.file;
    }
    EXPECT_EQ(store.HeldCount(), kCatalogue.size());
}

} // namespace
