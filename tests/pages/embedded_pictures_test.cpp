#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

namespace {

struct CatalogueSize {
    int imageId;
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
    const unsigned char* expectedStart = EmbeddedImage(ImageLogo).data();
    for (const CatalogueSize& entry : kCatalogue) {
        const std::span<const unsigned char> bytes = EmbeddedImage(entry.imageId);
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
        const ImageRef picture = store.Load(entry.imageId, EmbeddedImage(entry.imageId));
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

class SavedCataloguePage : public ::testing::Test {
  protected:
    void TearDown() override { ReleaseAllImages(); }
    testpics::ScratchFolder folder_;
};

TEST_F(SavedCataloguePage, AirHumidityIsSavedAsBaselineJfifTopRowFirst) {
    const ImageRef page = LoadEmbeddedImage(PageAirHumidity, EmbeddedImage(PageAirHumidity));
    ASSERT_NE(page, nullptr);
    const std::string target = folder_.File("Помагало_.jpg");
    ASSERT_EQ(SaveImageAsJpeg(PageAirHumidity, target), 1);
    const std::vector<unsigned char> file = testpics::ReadFile(target);
    const std::optional<testpics::JpegMarkers> markers = testpics::ReadMarkers(file);
    ASSERT_TRUE(markers);
    EXPECT_EQ(markers->frameMarker, 0xC0);
    EXPECT_EQ(markers->width, 1000);
    EXPECT_EQ(markers->height, 758);
    EXPECT_EQ(markers->densityUnit, 0);
    ASSERT_EQ(markers->components.size(), 3u);
    EXPECT_EQ(markers->components[0].horizontal, 2);
    EXPECT_EQ(markers->components[0].vertical, 2);
    // The embedded pages carry tables of all ones; a saved page carries quality 70.
    ASSERT_TRUE(markers->quantisation[0]);
    const std::array<int, 64>& luma = *markers->quantisation[0];
    EXPECT_EQ((std::array<int, 4>{luma[0], luma[1], luma[2], luma[3]}),
              (std::array<int, 4>{10, 7, 6, 10}));

    const std::optional<testpics::Decoded> saved = testpics::DecodeWithLibjpeg(file);
    ASSERT_TRUE(saved);
    // Each saved row must resemble the page's own row far better than the mirrored one.
    for (int y : {0, 40, 700}) {
        long same = 0;
        long mirrored = 0;
        for (int x = 0; x < 1000; ++x) {
            const std::array<int, 3> top = testpics::HeldRgb(*page, x, y);
            const std::array<int, 3> bottom = testpics::HeldRgb(*page, x, 757 - y);
            for (int c = 0; c < 3; ++c) {
                same += std::abs(saved->Row(y)[x * 3 + c] - top[c]);
                mirrored += std::abs(saved->Row(y)[x * 3 + c] - bottom[c]);
            }
        }
        EXPECT_LT(same / 3000.0, 4.0) << "row " << y;
        EXPECT_LT(same, mirrored) << "row " << y;
    }
}

TEST_F(SavedCataloguePage, ContactIsSavedAtItsPictureSize) {
    ASSERT_NE(LoadEmbeddedImage(PageContact, EmbeddedImage(PageContact)), nullptr);
    const std::string target = folder_.File("contact.jpg");
    ASSERT_EQ(SaveImageAsJpeg(PageContact, target), 1);
    const std::optional<testpics::JpegMarkers> markers =
        testpics::ReadMarkers(testpics::ReadFile(target));
    ASSERT_TRUE(markers);
    EXPECT_EQ(markers->width, 634);
    EXPECT_EQ(markers->height, 475);
}

} // namespace
