// Cut and corrupted pictures: the store must fail or decode them, and never read outside
// the bytes it was given (run under AddressSanitizer to see the reads).
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Heap copies of the catalogue files, so that a read past the end is one past the
// allocation.
std::vector<unsigned char> PageJpeg() {
    const std::span<const unsigned char> page = EmbeddedImage(Id(ImageId::PageAirHumidity));
    return {page.begin(), page.end()};
}

std::vector<unsigned char> LogoBmp() {
    const std::span<const unsigned char> logo = EmbeddedImage(Id(ImageId::ImageLogo));
    return {logo.begin(), logo.end()};
}

// A loaded picture must be whole: its buffer matches its size.
void ExpectConsistent(ImageRef picture, const std::string& what) {
    if (picture == nullptr) {
        return;
    }
    EXPECT_GT(picture->width, 0) << what;
    EXPECT_GT(picture->height, 0) << what;
    EXPECT_EQ(picture->depth, 24) << what;
    EXPECT_EQ(picture->rowSize % 4, 0) << what;
    EXPECT_GE(picture->rowSize, picture->width * 3) << what;
    EXPECT_EQ(picture->pixels.size(), static_cast<std::size_t>(picture->rowSize) *
                                          static_cast<std::size_t>(picture->height))
        << what;
}

// Loads every cut of `file` on a grid (finer near the start, where the headers are) and
// returns how many cuts still gave a picture.
int LoadCuts(PictureStore& store, const std::vector<unsigned char>& file, std::size_t step) {
    int loaded = 0;
    for (std::size_t length = 0; length < file.size(); length += length < 700 ? 1 : step) {
        const std::vector<unsigned char> cut(file.begin(), file.begin() + length);
        const ImageRef picture = store.Load(7, cut);
        ExpectConsistent(picture, "cut at " + std::to_string(length));
        loaded += picture != nullptr;
    }
    return loaded;
}

TEST(DamagedData, CutJpegFailsOrDecodesAtItsOwnSize) {
    const std::vector<unsigned char> file = PageJpeg();
    PictureStore store;
    ASSERT_NE(store.Load(7, file), nullptr);
    const int loaded = LoadCuts(store, file, file.size() / 40);
    // Cuts inside the headers fail; cuts in the scan data decode with a warning.
    EXPECT_GT(loaded, 10);
    const std::vector<unsigned char> headerOnly(file.begin(), file.begin() + 100);
    EXPECT_EQ(store.Load(7, headerOnly), nullptr);
    const std::vector<unsigned char> mostOfIt(file.begin(), file.begin() + file.size() / 2);
    const ImageRef half = store.Load(7, mostOfIt);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->width, 1000);
    EXPECT_EQ(half->height, 758);
}

TEST(DamagedData, CutBmpAlwaysFails) {
    const std::vector<unsigned char> file = LogoBmp();
    PictureStore store;
    ASSERT_NE(store.Load(1, file), nullptr);
    EXPECT_EQ(LoadCuts(store, file, 97), 0);
}

// Copies of `file` with a few bytes overwritten at random (fixed seed), each loaded once.
void LoadCorruptedCopies(const std::vector<unsigned char>& file, int copies, unsigned seed,
                         bool headersOnly) {
    std::mt19937 random(seed);
    const std::size_t span = headersOnly ? std::min<std::size_t>(file.size(), 700) : file.size();
    std::uniform_int_distribution<std::size_t> position(0, span - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> howMany(1, 6);
    PictureStore store;
    for (int copy = 0; copy < copies; ++copy) {
        std::vector<unsigned char> damaged = file;
        for (int n = howMany(random); n > 0; --n) {
            damaged[position(random)] = static_cast<unsigned char>(byte(random));
        }
        ExpectConsistent(store.Load(3, damaged), "copy " + std::to_string(copy));
    }
}

TEST(DamagedData, CorruptedJpegHeadersAndDataNeverBreakTheDecoder) {
    const std::vector<unsigned char> file = PageJpeg();
    LoadCorruptedCopies(file, 120, 20261208, /*headersOnly=*/true);
    LoadCorruptedCopies(file, 40, 4, /*headersOnly=*/false);
}

TEST(DamagedData, CorruptedBmpNeverBreaksTheReader) {
    LoadCorruptedCopies(LogoBmp(), 400, 59, /*headersOnly=*/true);
}

} // namespace
