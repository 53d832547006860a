// The start-up graphics check and its warning.
#include "lifecycle/graphics_check.h"
#include "toolkit/testing/test_hooks.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

int NoScreen() {
    return 0;
}
int EightBitScreen() {
    return 8;
}
int TrueColourScreen() {
    return 24;
}

class GraphicsWarning : public testing::Test {
  protected:
    void SetUp() override {
        log_ = fs::temp_directory_path() / ("zorvel-graphics-" + std::to_string(getpid()));
        fs::remove(log_);
        toolkit::SetMessageBoxLog(log_.string());
    }
    void TearDown() override {
        toolkit::SetMessageBoxLog("");
        fs::remove(log_);
    }
    std::string Boxes() const {
        std::ifstream in(log_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    fs::path log_;
};

TEST(GraphicsCheck, AcceptsOnlyTheUsualColourDepths) {
    for (const int depth : {15, 16, 24, 32}) {
        EXPECT_TRUE(DepthIsUsable(depth)) << depth;
    }
    for (const int depth : {0, 1, 8, 12, 30, 48, -1}) {
        EXPECT_FALSE(DepthIsUsable(depth)) << depth;
    }
}

TEST(GraphicsCheck, DefaultProbeFindsTheTestScreen) {
    EXPECT_TRUE(GraphicsCheck());
}

TEST_F(GraphicsWarning, FailedProbeShowsTheWarningExactlyOnce) {
    EXPECT_FALSE(WarnWhenGraphicsUnusable(NoScreen));
    EXPECT_EQ(Boxes(),
              "Проблем!|На този компютър няма инсталиран DirectX 7! Моля, инсталирайте.\n");
}

TEST_F(GraphicsWarning, UnusableDepthWarnsUsableDepthDoesNot) {
    EXPECT_TRUE(WarnWhenGraphicsUnusable(TrueColourScreen));
    EXPECT_EQ(Boxes(), "");
    EXPECT_FALSE(WarnWhenGraphicsUnusable(EightBitScreen));
    EXPECT_EQ(Boxes(),
              "Проблем!|На този компютър няма инсталиран DirectX 7! Моля, инсталирайте.\n");
}

} // namespace
