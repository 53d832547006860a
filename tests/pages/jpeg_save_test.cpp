#include "lifecycle/fatal_error_trap.h"
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testpics::ReadFile;
using testpics::ReadMarkers;
using testpics::ScratchFolder;

constexpr int kPageId = PageAirHumidity;

// Annex K tables in natural order, and libjpeg's scaling of them to quality 70 (60 %).
constexpr std::array<int, 64> kLuminance = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChrominance = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

std::array<int, 64> AtQuality70(const std::array<int, 64>& base) {
    std::array<int, 64> scaled{};
    for (int i = 0; i < 64; ++i) {
        scaled[i] = std::clamp((base[i] * 60 + 50) / 100, 1, 255);
    }
    return scaled;
}

// A picture whose top differs from its bottom in every way that a flip or a swap of red
// and blue would show.
std::vector<unsigned char> ColouredJpeg(int width, int height) {
    testpics::JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.quality = 95;
    return testpics::MakeJpeg(recipe, [height](int x, int y) {
        if (y < 16) {
            return std::vector<unsigned char>{230, 40, static_cast<unsigned char>(x % 128)};
        }
        if (y >= height - 16) {
            return std::vector<unsigned char>{20, 60, 210};
        }
        return std::vector<unsigned char>{static_cast<unsigned char>(x), 128,
                                          static_cast<unsigned char>(y)};
    });
}

class JpegSave : public ::testing::Test {
  protected:
    void SetUp() override {
        page_ = store_.Load(kPageId, EmbeddedImage(kPageId));
        ASSERT_NE(page_, nullptr);
    }

    PictureStore store_;
    ImageRef page_ = nullptr;
    ScratchFolder folder_;
};

TEST_F(JpegSave, PageIsWrittenAsBaselineJfifWithQuality70Tables) {
    const std::string target = folder_.File("Помагало_.jpg");
    ASSERT_EQ(store_.SaveAsJpeg(kPageId, target), 1);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"Помагало_.jpg"});

    const std::vector<unsigned char> file = ReadFile(target);
    const std::optional<testpics::JpegMarkers> markers = ReadMarkers(file);
    ASSERT_TRUE(markers);
    EXPECT_TRUE(markers->startsWithSoi);
    EXPECT_TRUE(markers->endsWithEoi);
    EXPECT_TRUE(markers->hasJfif);
    EXPECT_EQ(markers->jfifMajor, 1);
    EXPECT_EQ(markers->jfifMinor, 1);
    EXPECT_EQ(markers->densityUnit, 0);
    EXPECT_EQ(markers->densityX, 1);
    EXPECT_EQ(markers->densityY, 1);
    EXPECT_EQ(markers->frameMarker, 0xC0);
    EXPECT_EQ(markers->precision, 8);
    EXPECT_EQ(markers->width, 1000);
    EXPECT_EQ(markers->height, 758);
    ASSERT_EQ(markers->components.size(), 3u);
    EXPECT_EQ(markers->components[0].horizontal, 2);
    EXPECT_EQ(markers->components[0].vertical, 2);
    EXPECT_EQ(markers->components[0].table, 0);
    for (int c = 1; c < 3; ++c) {
        EXPECT_EQ(markers->components[c].horizontal, 1);
        EXPECT_EQ(markers->components[c].vertical, 1);
        EXPECT_EQ(markers->components[c].table, 1);
    }
    ASSERT_TRUE(markers->quantisation[0]);
    ASSERT_TRUE(markers->quantisation[1]);
    const std::array<int, 64>& luma = *markers->quantisation[0];
    EXPECT_EQ((std::array<int, 4>{luma[0], luma[1], luma[2], luma[3]}),
              (std::array<int, 4>{10, 7, 6, 10}));
    EXPECT_EQ(luma, AtQuality70(kLuminance));
    EXPECT_EQ(*markers->quantisation[1], AtQuality70(kChrominance));
    EXPECT_EQ(markers->huffmanTables, 4);
    EXPECT_EQ(markers->scans, 1);
    EXPECT_FALSE(markers->hasRestartInterval);
    EXPECT_FALSE(markers->hasComment);
    EXPECT_TRUE(markers->otherAppMarkers.empty());
}

// Mean absolute difference per sample between row y of a saved file and row y of the
// held picture, and the same against the held picture's mirrored row.
std::pair<double, double> RowDifference(const testpics::Decoded& saved, const LoadedImage& held,
                                        int y) {
    long same = 0;
    long mirrored = 0;
    for (int x = 0; x < held.width; ++x) {
        const std::array<int, 3> top = testpics::HeldRgb(held, x, y);
        const std::array<int, 3> bottom = testpics::HeldRgb(held, x, held.height - 1 - y);
        for (int c = 0; c < 3; ++c) {
            same += std::abs(saved.Row(y)[x * 3 + c] - top[c]);
            mirrored += std::abs(saved.Row(y)[x * 3 + c] - bottom[c]);
        }
    }
    const double samples = held.width * 3.0;
    return {same / samples, mirrored / samples};
}

TEST_F(JpegSave, FirstRowOfTheFileIsTheTopRowOfThePicture) {
    const ImageRef coloured = store_.Load(3, ColouredJpeg(320, 240));
    ASSERT_NE(coloured, nullptr);
    for (const auto& [id, picture] : {std::pair{kPageId, page_}, std::pair{3, coloured}}) {
        const std::string target = folder_.File("page" + std::to_string(id) + ".jpg");
        ASSERT_EQ(store_.SaveAsJpeg(id, target), 1);
        const std::optional<testpics::Decoded> saved =
            testpics::DecodeWithLibjpeg(ReadFile(target));
        ASSERT_TRUE(saved);
        ASSERT_EQ(saved->width, picture->width);
        ASSERT_EQ(saved->height, picture->height);
        ASSERT_EQ(saved->components, 3);
        for (int y : {0, 5, picture->height / 2 + 7, picture->height - 1}) {
            const auto [same, mirrored] = RowDifference(*saved, *picture, y);
            EXPECT_LT(same, 5.0) << "picture " << id << " row " << y;
            EXPECT_LT(same, mirrored) << "picture " << id << " row " << y;
        }
        if (id == 3) {
            EXPECT_GT(saved->Row(0)[0], 200);  // red on top
            EXPECT_LT(saved->Row(239)[0], 50); // blue at the bottom
            EXPECT_GT(saved->Row(239)[2], 180);
        }
    }
}

TEST_F(JpegSave, FileHasThePicturesOwnSizeAndOrdinaryPermissions) {
    // The contact page's viewer area is larger than its picture; the file is not.
    const ImageRef contact = store_.Load(PageContact, EmbeddedImage(PageContact));
    ASSERT_NE(contact, nullptr);
    const mode_t previous = umask(022);
    const std::string target = folder_.File("contact.jpg");
    const int result = store_.SaveAsJpeg(PageContact, target);
    umask(previous);
    ASSERT_EQ(result, 1);
    const std::optional<testpics::JpegMarkers> markers = ReadMarkers(ReadFile(target));
    ASSERT_TRUE(markers);
    EXPECT_EQ(markers->width, 634);
    EXPECT_EQ(markers->height, 475);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(JpegSave, ExistingFileIsReplacedAndALinkIsWrittenThrough) {
    const std::string target = folder_.File("old.jpg");
    testpics::WriteFile(target, std::vector<unsigned char>(50, 'x'));
    ASSERT_EQ(store_.SaveAsJpeg(kPageId, target), 1);
    EXPECT_EQ(ReadMarkers(ReadFile(target))->width, 1000);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"old.jpg"});

    const std::string link = folder_.File("link.jpg");
    ASSERT_EQ(symlink("old.jpg", link.c_str()), 0);
    store_.Load(kPageId, ColouredJpeg(40, 30));
    ASSERT_EQ(store_.SaveAsJpeg(kPageId, link), 1);
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadMarkers(ReadFile(target))->width, 40);
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"link.jpg", "old.jpg"}));
}

TEST_F(JpegSave, NothingIsCreatedWithoutAPathOrAPicture) {
    ScratchFolder here;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(here.Path().c_str()), 0);
    const int emptyPath = store_.SaveAsJpeg(kPageId, "");
    const int noPicture = store_.SaveAsJpeg(170, "page.jpg");
    const std::vector<std::string> entries = here.Entries();
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(emptyPath, 0);
    EXPECT_EQ(noPicture, 0);
    EXPECT_TRUE(entries.empty());

    // An id emptied by a failed load has nothing to save either.
    store_.Load(kPageId, std::vector<unsigned char>{'x', 'y'});
    EXPECT_EQ(store_.SaveAsJpeg(kPageId, folder_.File("page.jpg")), 0);
    EXPECT_EQ(SaveImageAsJpeg(999, folder_.File("page.jpg")), 0);
    EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(JpegSave, PathsThatCannotBeWrittenFailWithoutLeftovers) {
    ASSERT_EQ(mkdir(folder_.File("a folder").c_str(), 0755), 0);
    EXPECT_EQ(store_.SaveAsJpeg(kPageId, folder_.File("a folder")), 0);
    EXPECT_EQ(store_.SaveAsJpeg(kPageId, folder_.File("missing/page.jpg")), 0);
    // A name cut short at a NUL byte would be some other file.
    const std::string withNul = folder_.File("page.jpg") + std::string(1, '\0') + "x";
    EXPECT_EQ(store_.SaveAsJpeg(kPageId, withNul), 0);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"a folder"});
}

// Saves in a child process whose files may not grow past `limit` bytes, so that the
// write fails part way. The child sets up its signals as the program does, so a signal
// that kills it shows here. Returns the child's SaveAsJpeg result (2 for a failure whose
// reason is not the size limit), or -1 if it did not end by itself.
int SaveUnderFileSizeLimit(const PictureStore& store, const std::string& target, rlim_t limit) {
    const pid_t child = fork();
    if (child == 0) {
        InstallFatalErrorTrap();
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        SaveFailure why = SaveFailure::None;
        const int result = store.SaveAsJpeg(kPageId, target, &why);
        _exit(result == 0 && why != SaveFailure::TooLarge ? 2 : result);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

TEST_F(JpegSave, WriteFailingMidwayLeavesNoFileAndKeepsTheOldOne) {
    const std::string target = folder_.File("page.jpg");
    ASSERT_EQ(SaveUnderFileSizeLimit(store_, target, RLIM_INFINITY), 1);
    const rlim_t complete = ReadFile(target).size();
    ASSERT_EQ(unlink(target.c_str()), 0);

    EXPECT_EQ(SaveUnderFileSizeLimit(store_, target, complete / 2), 0);
    EXPECT_TRUE(folder_.Entries().empty());

    std::vector<unsigned char> previous(30000);
    for (std::size_t i = 0; i < previous.size(); ++i) {
        previous[i] = static_cast<unsigned char>(i * 7);
    }
    testpics::WriteFile(target, previous);
    // Down to the last byte: libjpeg's final flush must report it too.
    for (rlim_t limit : {rlim_t{0}, rlim_t{100}, rlim_t{4096}, complete / 2, complete - 1}) {
        EXPECT_EQ(SaveUnderFileSizeLimit(store_, target, limit), 0) << limit;
        EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"page.jpg"}) << limit;
        EXPECT_EQ(ReadFile(target), previous) << limit;
    }
    EXPECT_EQ(SaveUnderFileSizeLimit(store_, target, complete), 1);
    EXPECT_EQ(ReadFile(target).size(), complete);
}

} // namespace

namespace {

// The saved file is exactly what libjpeg makes of the page's pixels given as R, G, B rows
// at quality 70 with its defaults: nothing of the colours is lost or shifted on the way.
TEST_F(JpegSave, FileIsByteForByteAPlainCompressionOfThePixels) {
    const std::string target = folder_.File("page.jpg");
    ASSERT_EQ(store_.SaveAsJpeg(kPageId, target), 1);

    testpics::JpegRecipe recipe;
    recipe.width = page_->width;
    recipe.height = page_->height;
    recipe.quality = 70;
    const std::vector<unsigned char> plain = testpics::MakeJpeg(recipe, [this](int x, int y) {
        const std::array<int, 3> rgb = testpics::HeldRgb(*page_, x, y);
        return std::vector<unsigned char>{static_cast<unsigned char>(rgb[0]),
                                          static_cast<unsigned char>(rgb[1]),
                                          static_cast<unsigned char>(rgb[2])};
    });
    EXPECT_TRUE(ReadFile(target) == plain);
}

// Decoding holds exactly the samples libjpeg gives as R, G, B.
TEST_F(JpegSave, DecodedPageHoldsLibjpegsOwnRgbSamples) {
    const std::optional<testpics::Decoded> plain =
        testpics::DecodeWithLibjpeg(EmbeddedImage(kPageId));
    ASSERT_TRUE(plain.has_value());
    ASSERT_EQ(plain->components, 3);
    for (int y = 0; y < page_->height; ++y) {
        const unsigned char* row = plain->Row(y);
        for (int x = 0; x < page_->width; ++x) {
            const std::array<int, 3> held = testpics::HeldRgb(*page_, x, y);
            ASSERT_EQ(held, (std::array<int, 3>{row[3 * x], row[3 * x + 1], row[3 * x + 2]}))
                << "at " << x << ", " << y;
        }
    }
}

} // namespace
