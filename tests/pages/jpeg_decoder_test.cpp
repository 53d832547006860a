#include "pages/jpeg_decoder.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testpics::HeldRgb;
using testpics::JpegRecipe;
using testpics::MakeJpeg;

std::vector<unsigned char> Flat(std::vector<unsigned char> pixel) {
    return pixel;
}

// Whether every held sample is within `tolerance` of the expected colour.
void ExpectEverywhere(const LoadedImage& picture, std::array<int, 3> rgb, int tolerance) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::array<int, 3> held = HeldRgb(picture, x, y);
            for (int c = 0; c < 3; ++c) {
                ASSERT_LE(std::abs(held[c] - rgb[c]), tolerance)
                    << "pixel " << x << "," << y << " channel " << c;
            }
        }
    }
}

TEST(JpegDecoder, ColourFileIsHeldBottomRowFirstInBlueGreenRed) {
    // Top half red, bottom half blue, in 8-row blocks so that the colours stay clean.
    JpegRecipe recipe;
    recipe.width = 24;
    recipe.height = 16;
    const std::optional<LoadedImage> picture = DecodeJpeg(MakeJpeg(recipe, [](int, int y) {
        return y < 8 ? Flat({255, 0, 0}) : Flat({0, 0, 255});
    }));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 24);
    EXPECT_EQ(picture->height, 16);
    EXPECT_EQ(picture->depth, 24);
    EXPECT_EQ(picture->rowSize, 72);
    ASSERT_EQ(picture->pixels.size(), 72u * 16u);
    // The first bytes of the buffer belong to the bottom row: blue, stored B first.
    EXPECT_GE(picture->pixels[0], 250);
    EXPECT_LE(picture->pixels[2], 5);
    const std::size_t lastRow = 15 * 72;
    EXPECT_LE(picture->pixels[lastRow], 5);
    EXPECT_GE(picture->pixels[lastRow + 2], 250);
}

TEST(JpegDecoder, RowsOfOddWidthArePaddedToFourBytes) {
    JpegRecipe recipe;
    recipe.width = 13;
    recipe.height = 3;
    const std::optional<LoadedImage> picture = DecodeJpeg(MakeJpeg(recipe, [](int, int) {
        return Flat({40, 80, 120});
    }));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->rowSize, 40);
    EXPECT_EQ(picture->pixels.size(), 120u);
    ExpectEverywhere(*picture, {40, 80, 120}, 2);
}

TEST(JpegDecoder, GreyFileIsHeldWithEqualRedGreenBlue) {
    JpegRecipe recipe;
    recipe.width = 32;
    recipe.height = 24;
    recipe.input = JCS_GRAYSCALE;
    recipe.stored = JCS_GRAYSCALE;
    const std::optional<LoadedImage> picture = DecodeJpeg(MakeJpeg(
        recipe, [](int x, int y) { return Flat({static_cast<unsigned char>(x * 4 + y * 2)}); }));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 32);
    EXPECT_EQ(picture->height, 24);
    bool anyDifferentFromNeighbour = false;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::array<int, 3> rgb = HeldRgb(*picture, x, y);
            ASSERT_EQ(rgb[0], rgb[1]) << x << "," << y;
            ASSERT_EQ(rgb[1], rgb[2]) << x << "," << y;
            ASSERT_LE(std::abs(rgb[0] - (x * 4 + y * 2)), 3) << x << "," << y;
            anyDifferentFromNeighbour |= x > 0 && rgb[0] != HeldRgb(*picture, x - 1, y)[0];
        }
    }
    EXPECT_TRUE(anyDifferentFromNeighbour);
}

TEST(JpegDecoder, AdobeCmykIsTurnedIntoRgbWithIntegerDivision) {
    JpegRecipe recipe;
    recipe.input = JCS_CMYK;
    recipe.stored = JCS_CMYK;
    const std::vector<unsigned char> file = MakeJpeg(recipe, [](int, int) {
        return Flat({255, 128, 0, 200});
    });
    // libjpeg marks CMYK files with Adobe's APP14, the mark of inverted inks.
    const std::optional<testpics::JpegMarkers> markers = testpics::ReadMarkers(file);
    ASSERT_TRUE(markers);
    EXPECT_EQ(markers->otherAppMarkers, std::vector<int>{0xEE});
    const std::optional<LoadedImage> picture = DecodeJpeg(file);
    ASSERT_TRUE(picture);
    ExpectEverywhere(*picture, {200, 100, 0}, 0);
}

TEST(JpegDecoder, YcckIsDecodedToCmykThenToRgb) {
    JpegRecipe recipe;
    recipe.input = JCS_CMYK;
    recipe.stored = JCS_YCCK;
    const std::optional<LoadedImage> picture = DecodeJpeg(MakeJpeg(recipe, [](int, int) {
        return Flat({255, 128, 0, 200});
    }));
    ASSERT_TRUE(picture);
    ExpectEverywhere(*picture, {200, 100, 0}, 2);
}

TEST(JpegDecoder, RgbStoredFileIsDecodedAsStored) {
    JpegRecipe recipe;
    recipe.stored = JCS_RGB;
    const std::optional<testpics::JpegMarkers> markers =
        testpics::ReadMarkers(MakeJpeg(recipe, [](int, int) {
            return Flat({10, 200, 90});
        }));
    ASSERT_TRUE(markers);
    ASSERT_EQ(markers->components.size(), 3u);
    EXPECT_EQ(markers->components[0].id, 'R');
    const std::optional<LoadedImage> picture = DecodeJpeg(MakeJpeg(recipe, [](int, int) {
        return Flat({10, 200, 90});
    }));
    ASSERT_TRUE(picture);
    ExpectEverywhere(*picture, {10, 200, 90}, 1);
}

TEST(JpegDecoder, SidesBeyondWhatThePictureCanHoldFail) {
    JpegRecipe wide;
    wide.width = 32768;
    wide.height = 1;
    wide.quality = 50;
    wide.input = JCS_GRAYSCALE;
    wide.stored = JCS_GRAYSCALE;
    EXPECT_FALSE(DecodeJpeg(MakeJpeg(wide, [](int, int) { return Flat({0}); })));
    JpegRecipe tall = wide;
    tall.width = 1;
    tall.height = 32768;
    EXPECT_FALSE(DecodeJpeg(MakeJpeg(tall, [](int, int) { return Flat({0}); })));
    JpegRecipe largest = wide;
    largest.width = 32767;
    const std::optional<LoadedImage> picture =
        DecodeJpeg(MakeJpeg(largest, [](int, int) { return Flat({0}); }));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 32767);
}

TEST(JpegDecoder, FilesWithoutAnImageFail) {
    EXPECT_FALSE(DecodeJpeg({}));
    const std::vector<unsigned char> soiEoi = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_FALSE(DecodeJpeg(soiEoi));
    const std::vector<unsigned char> onlySoi = {0xFF, 0xD8};
    EXPECT_FALSE(DecodeJpeg(onlySoi));
    const std::vector<unsigned char> bmpBytes = {'B', 'M', 0, 0, 0, 0};
    EXPECT_FALSE(DecodeJpeg(bmpBytes));
}

TEST(JpegDecoder, FileCutAfterTheHeaderDecodesWithItsSize) {
    // libjpeg only warns about data that ends early; the page still opens.
    JpegRecipe recipe;
    recipe.width = 64;
    recipe.height = 64;
    const std::vector<unsigned char> whole = MakeJpeg(recipe, [](int x, int y) {
        return Flat({static_cast<unsigned char>(x * 3), static_cast<unsigned char>(y * 3), 7});
    });
    const std::vector<unsigned char> cut(whole.begin(), whole.end() - whole.size() / 4);
    const std::optional<LoadedImage> picture = DecodeJpeg(cut);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 64);
    EXPECT_EQ(picture->height, 64);
}

} // namespace
