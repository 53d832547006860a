#include "pages/bmp_reader.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using testpics::HeldRgb;
using testpics::MakeBmp;

std::array<unsigned char, 3> Pattern(int x, int y) {
    return {static_cast<unsigned char>(10 + x), static_cast<unsigned char>(100 + y),
            static_cast<unsigned char>(200 + x + y)};
}

void Put32(std::vector<unsigned char>& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

void Put16(std::vector<unsigned char>& file, std::size_t at, std::uint16_t value) {
    file[at] = static_cast<unsigned char>(value);
    file[at + 1] = static_cast<unsigned char>(value >> 8);
}

TEST(BmpReader, BottomUpFileIsHeldAsItStandsWithPaddedRows) {
    const std::vector<unsigned char> file = MakeBmp(3, 2, Pattern);
    const std::optional<LoadedImage> picture = ReadBmp(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->depth, 24);
    EXPECT_EQ(picture->rowSize, 12);
    ASSERT_EQ(picture->pixels.size(), 24u);
    // Same bytes as the file's pixel rows, padding included.
    EXPECT_TRUE(std::equal(picture->pixels.begin(), picture->pixels.end(), file.begin() + 54));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const auto expected = Pattern(x, y);
            EXPECT_EQ(HeldRgb(*picture, x, y),
                      (std::array<int, 3>{expected[0], expected[1], expected[2]}))
                << x << "," << y;
        }
    }
}

TEST(BmpReader, TopDownFileIsTurnedToBottomRowFirst) {
    const std::optional<LoadedImage> picture = ReadBmp(MakeBmp(5, -4, Pattern));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->height, 4);
    EXPECT_EQ(picture->rowSize, 16);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const auto expected = Pattern(x, y);
            EXPECT_EQ(HeldRgb(*picture, x, y),
                      (std::array<int, 3>{expected[0], expected[1], expected[2]}));
        }
    }
}

TEST(BmpReader, LargestSideIsAccepted) {
    const auto black = [](int, int) { return std::array<unsigned char, 3>{0, 0, 0}; };
    const std::optional<LoadedImage> picture = ReadBmp(MakeBmp(32767, 1, black));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 32767);
    EXPECT_EQ(picture->rowSize, 98304);
}

TEST(BmpReader, HeadersThatDisagreeOrDescribeOtherFormatsAreRefused) {
    const std::vector<unsigned char> good = MakeBmp(4, 3, Pattern);
    ASSERT_TRUE(ReadBmp(good));
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> spoil;
    };
    const std::vector<Case> cases = {
        {"not BM", [](auto& f) { f[1] = 'A'; }},
        {"32 bits per pixel", [](auto& f) { Put16(f, 28, 32); }},
        {"8 bits per pixel", [](auto& f) { Put16(f, 28, 8); }},
        {"run-length compressed", [](auto& f) { Put32(f, 30, 1); }},
        {"bit fields", [](auto& f) { Put32(f, 30, 3); }},
        {"two planes", [](auto& f) { Put16(f, 26, 2); }},
        {"core header", [](auto& f) { Put32(f, 14, 12); }},
        {"width 0", [](auto& f) { Put32(f, 18, 0); }},
        {"negative width", [](auto& f) { Put32(f, 18, static_cast<std::uint32_t>(-4)); }},
        {"width 32768", [](auto& f) { Put32(f, 18, 32768); }},
        {"height 0", [](auto& f) { Put32(f, 22, 0); }},
        {"height 32768", [](auto& f) { Put32(f, 22, 32768); }},
        {"height -32768", [](auto& f) { Put32(f, 22, static_cast<std::uint32_t>(-32768)); }},
        {"height most negative",
         [](auto& f) { Put32(f, 22, static_cast<std::uint32_t>(INT32_MIN)); }},
        {"more rows than data", [](auto& f) { Put32(f, 22, 4); }},
        {"wider than data", [](auto& f) { Put32(f, 18, 5); }},
        {"pixels start inside the headers", [](auto& f) { Put32(f, 10, 40); }},
        {"pixels start past the end", [](auto& f) { Put32(f, 10, 0xFFFFFFF0u); }},
        {"pixel offset moves rows past the end", [](auto& f) { Put32(f, 10, 55); }},
        {"size field 0 and more rows than data",
         [](auto& f) {
             Put32(f, 2, 0);
             Put32(f, 22, 4);
         }},
        {"file size beyond the data", [](auto& f) { Put32(f, 2, 54 + 36 + 1); }},
        {"file size short of the rows", [](auto& f) { Put32(f, 2, 54 + 35); }},
        {"info header past the pixel offset", [](auto& f) { Put32(f, 14, 41); }},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> file = good;
        c.spoil(file);
        EXPECT_FALSE(ReadBmp(file)) << c.what;
    }
}

TEST(BmpReader, WriterVariationsThatStayConsistentAreRead) {
    std::vector<unsigned char> zeroSize = MakeBmp(4, 3, Pattern);
    Put32(zeroSize, 2, 0);
    Put32(zeroSize, 34, 0); // image size left 0, as uncompressed files may
    EXPECT_TRUE(ReadBmp(zeroSize));

    // A gap between the headers and the pixels, and bytes after the last row.
    std::vector<unsigned char> gap = MakeBmp(4, 3, Pattern);
    gap.insert(gap.begin() + 54, 6, 0x77);
    gap.insert(gap.end(), 5, 0x55);
    Put32(gap, 10, 60);
    Put32(gap, 2, static_cast<std::uint32_t>(gap.size()));
    const std::optional<LoadedImage> picture = ReadBmp(gap);
    ASSERT_TRUE(picture);
    EXPECT_EQ(HeldRgb(*picture, 3, 0), (std::array<int, 3>{13, 100, 203}));
}

TEST(BmpReader, EveryTruncationIsRefused) {
    const std::vector<unsigned char> good = MakeBmp(7, 5, Pattern);
    for (std::size_t length = 0; length < good.size(); ++length) {
        // An exact-size copy, so that a read past the end is a read past the allocation.
        const std::vector<unsigned char> cut(good.begin(), good.begin() + length);
        EXPECT_FALSE(ReadBmp(cut)) << length;
    }
}

} // namespace
