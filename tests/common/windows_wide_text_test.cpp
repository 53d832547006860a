// The one conversion between the program's UTF-8 and Win32's UTF-16, for the windows'
// texts and the files' names alike.
#include "common/native_names.h"
#include "common/replacement_file.h"
#include "common/windows/wide_text.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(WideText, CyrillicCrossesBothWays) {
    const std::string name = "Зорвел";
    EXPECT_EQ(common::WideFromUtf8(name), L"\u0417\u043e\u0440\u0432\u0435\u043b");
    EXPECT_EQ(common::Utf8FromWide(common::WideFromUtf8(name)), name);
    EXPECT_EQ(common::WideFromUtf8(""), L"");
}

TEST(WideText, WhatIsNoCharacterBecomesTheReplacementCharacter) {
    EXPECT_EQ(common::WideFromUtf8("a\xFF"
                                   "b"),
              L"a\uFFFDb");
    EXPECT_EQ(common::WideFromUtf8("\xD0"), L"\uFFFD"); // a sequence cut short
    const std::wstring unpaired{L'a', static_cast<wchar_t>(0xD800), L'b'};
    EXPECT_EQ(common::Utf8FromWide(unpaired), "a\xEF\xBF\xBD"
                                              "b");
}

TEST(WideText, ANameThatIsNotTextNamesNoFile) {
    EXPECT_TRUE(common::IsUtf8(""));
    EXPECT_TRUE(common::IsUtf8("дневник.csv"));
    EXPECT_FALSE(common::IsUtf8("a\xFF.csv"));
    errno = 0;
    EXPECT_EQ(OpenForReading("a\xFF.csv"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    const ReplacementFile file("a\xFF.jpg");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Why(), ReplacementFile::Failure::Other);
    EXPECT_EQ(file.ErrorNumber(), EINVAL);
}

} // namespace
