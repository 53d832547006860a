// The replacement of a file as a save makes it, on this platform's steps: what the user
// keeps of the old file and what is left beside it, whatever happens.
#include "common/replacement_file.h"
#include "tests/common/scratch_folder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Failure = ReplacementFile::Failure;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Replacement : public ::testing::Test {
  protected:
    void SetUp() override { std::ofstream(Target(), std::ios::binary) << "the old page"; }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(Target(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }

    std::string Target() const { return (folder_ / "page.jpg").string(); }
    std::string In(const std::string& name) const { return (folder_ / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    const ScratchFolder scratch_{
        "zorvel-replacement-" +
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())};
    const fs::path& folder_ = scratch_.Path();
};

TEST_F(Replacement, TheTargetChangesOnlyOnceTheNewContentIsComplete) {
    ReplacementFile file(Target());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(fs::equivalent(fs::path(file.TemporaryPath()).parent_path(), folder_));
    ASSERT_GE(std::fputs("the new page", file.Stream()), 0);
    EXPECT_EQ(ReadAll(Target()), "the old page");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(file.Why(), Failure::None);
    EXPECT_EQ(ReadAll(Target()), "the new page");
    EXPECT_EQ(Names(), std::vector<std::string>{"page.jpg"});
}

TEST_F(Replacement, WithoutCommitNothingNewStays) {
    {
        ReplacementFile file(Target());
        ASSERT_TRUE(file.IsOpen());
        std::fputs("half a page", file.Stream());
        ReplacementFile fresh(In("new.jpg"));
        ASSERT_TRUE(fresh.IsOpen());
        std::fputs("half a page", fresh.Stream());
    }
    EXPECT_EQ(ReadAll(Target()), "the old page");
    EXPECT_EQ(Names(), std::vector<std::string>{"page.jpg"});
}

TEST_F(Replacement, NamesThatCannotBeWrittenSayWhyAndCreateNothing) {
    fs::create_directory(In("pages"));
    const struct {
        std::string name;
        Failure why;
        int error;
    } cases[] = {
        {In("pages"), Failure::IsFolder, EISDIR},
        {In("missing") + "/page.jpg", Failure::NoSuchFolder, ENOENT},
        {"", Failure::Other, EINVAL},
        {std::string("page\0.jpg", 9), Failure::Other, EINVAL},
    };
    for (const auto& c : cases) {
        ReplacementFile file(c.name);
        EXPECT_FALSE(file.IsOpen()) << c.name;
        EXPECT_EQ(file.Why(), c.why) << c.name;
        EXPECT_EQ(file.ErrorNumber(), c.error) << c.name;
        EXPECT_FALSE(file.Commit()) << c.name;
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"page.jpg", "pages"}));
}

TEST_F(Replacement, AWriteProtectedFileIsNotReplaced) {
    fs::permissions(Target(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (std::ofstream(Target(), std::ios::app)) {
        GTEST_SKIP() << "this user may write any file";
    }
    ReplacementFile file(Target());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Why(), Failure::WriteProtected);
    EXPECT_EQ(ReadAll(Target()), "the old page");
    EXPECT_EQ(Names(), std::vector<std::string>{"page.jpg"});
}

} // namespace
