#include "pages/picture_store.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

namespace {

using testpics::MakeBmp;
using testpics::MakeJpeg;

std::vector<unsigned char> SmallJpeg(int width, int height) {
    testpics::JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    return MakeJpeg(recipe, [](int x, int y) {
        return std::vector<unsigned char>{static_cast<unsigned char>(x), 90,
                                          static_cast<unsigned char>(y)};
    });
}

std::vector<unsigned char> SmallBmp(int width, int height) {
    return MakeBmp(width, height, [](int, int) {
        return std::array<unsigned char, 3>{200, 100, 50};
    });
}

TEST(PictureStore, LoadingAnIdAgainLeavesOnlyTheNewPicture) {
    PictureStore store;
    const ImageRef first = store.Load(174, SmallJpeg(20, 10));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width, 20);
    const ImageRef second = store.Load(174, SmallJpeg(9, 30));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(store.HeldCount(), 1u);
    EXPECT_EQ(store.Find(174), second);
    EXPECT_EQ(second->width, 9);
    EXPECT_EQ(second->height, 30);
    EXPECT_EQ(second->pixels.size(), 28u * 30u);
}

TEST(PictureStore, DataOfNoKnownFormatFailsAndEmptiesTheId) {
    const std::vector<std::vector<unsigned char>> unknown = {
        {},
        {'B'},
        {0xFF},
        {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},
        {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'},
        {0xD8, 0xFF, 0xE0, 0x00},
        {'M', 'B', 54, 0, 0, 0},
    };
    for (const std::vector<unsigned char>& data : unknown) {
        PictureStore store;
        ASSERT_NE(store.Load(167, SmallJpeg(8, 8)), nullptr);
        EXPECT_EQ(store.Load(167, data), nullptr) << data.size();
        EXPECT_EQ(store.Find(167), nullptr);
        EXPECT_EQ(store.HeldCount(), 0u);
    }
}

TEST(PictureStore, AFailedDecodeEmptiesOnlyItsOwnId) {
    PictureStore store;
    ASSERT_NE(store.Load(1, SmallBmp(125, 59)), nullptr);
    ASSERT_NE(store.Load(170, SmallJpeg(16, 16)), nullptr);
    std::vector<unsigned char> brokenBmp = SmallBmp(10, 10);
    brokenBmp.resize(brokenBmp.size() - 1);
    EXPECT_EQ(store.Load(170, brokenBmp), nullptr);
    EXPECT_EQ(store.Find(170), nullptr);
    const ImageRef logo = store.Find(1);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->width, 125);
    EXPECT_EQ(logo->height, 59);
    EXPECT_EQ(logo->rowSize, 376);
}

TEST(PictureStore, ReferencesOfOtherIdsStayValidWhileIdsChange) {
    PictureStore store;
    const ImageRef logo = store.Load(1, SmallBmp(125, 59));
    ASSERT_NE(logo, nullptr);
    for (int id = 166; id <= 176; ++id) {
        ASSERT_NE(store.Load(id, SmallJpeg(8 + id - 166, 8)), nullptr);
    }
    EXPECT_EQ(store.Find(1), logo);
    EXPECT_EQ(logo->width, 125);
    EXPECT_EQ(store.HeldCount(), 12u);
    EXPECT_EQ(store.Find(168)->width, 10);
    store.ReleaseAll();
    EXPECT_EQ(store.HeldCount(), 0u);
    EXPECT_EQ(store.Find(1), nullptr);
}

TEST(PictureStore, ViewShowsTheHeldPixels) {
    PictureStore store;
    const ImageRef picture = store.Load(5, SmallBmp(3, 2));
    ASSERT_NE(picture, nullptr);
    const common::PixelView view = picture->View();
    EXPECT_FALSE(view.empty());
    EXPECT_EQ(view.width, 3);
    EXPECT_EQ(view.height, 2);
    EXPECT_EQ(view.rowSize, 12);
    EXPECT_EQ(view.bottomUpBgr, picture->pixels.data());
    EXPECT_EQ(view.bottomUpBgr[0], 50);
    EXPECT_EQ(view.bottomUpBgr[2], 200);
}

TEST(PictureStore, ProgramFunctionsWorkOnTheProgramStore) {
    EXPECT_EQ(ImageHandleOf(176), nullptr);
    const ImageRef page = LoadEmbeddedImage(176, SmallJpeg(12, 6));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ImageHandleOf(176), page);
    EXPECT_EQ(&ProgramPictureStore(), &ProgramPictureStore());
    EXPECT_EQ(ProgramPictureStore().Find(176), page);
    EXPECT_EQ(LoadEmbeddedImage(176, std::vector<unsigned char>{1, 2, 3}), nullptr);
    EXPECT_EQ(ImageHandleOf(176), nullptr);
    ASSERT_NE(LoadEmbeddedImage(175, SmallJpeg(12, 6)), nullptr);
    ReleaseAllImages();
    EXPECT_EQ(ImageHandleOf(175), nullptr);
}

} // namespace
