// Files as Windows users meet them: names crossing between the program's UTF-8 and
// Win32's UTF-16 through the one conversion, and a file another program holds open.
#include "common/native_names.h"
#include "common/replacement_file.h"
#include "common/windows/wide_text.h"
#include "tests/common/scratch_folder.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <windows.h>

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

// As a spreadsheet holds a table it shows: the file is not replaced, the user is told it
// may not be written, and the new file does not stay beside it.
TEST(HeldFile, AFileOpenInAnotherProgramKeepsItsContentAndSaysWhy) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch("zorvel-held-file");
    const fs::path& folder = scratch.Path();
    const fs::path target = folder / "table.csv";
    std::ofstream(target, std::ios::binary) << "old table";
    const HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        ReplacementFile file(target.string());
        if (file.IsOpen()) {
            std::fputs("new table", file.Stream());
            EXPECT_FALSE(file.Commit());
        }
        // Windows says the file is in use, Wine that access is denied.
        EXPECT_EQ(file.Why(), ReplacementFile::Failure::NoPermission);
        EXPECT_TRUE(file.ErrorNumber() == EBUSY || file.ErrorNumber() == EACCES)
            << file.ErrorNumber();
    }
    CloseHandle(held);
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old table");
    in.close();
    // Wine's ReplaceFileW leaves an empty file of its own ("rf….tmp"); ours must go.
    for (const fs::directory_entry& left : fs::directory_iterator(folder)) {
        EXPECT_FALSE(left.path().filename().string().starts_with(".zorvel-")) << left.path();
    }
}

} // namespace
