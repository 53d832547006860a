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

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// As a spreadsheet (share mode FILE_SHARE_READ) or a stricter program (0) holds a file it
// shows, whether it took it before the save began or while it ran: the file is not
// replaced, the user is told it is open in another program, and no file of ours stays
// beside it. A held logbook is still read where the holder lets others read.
TEST(HeldFile, AFileOpenInAnotherProgramKeepsItsContentAndSaysSo) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch("zorvel-held-file");
    const fs::path target = scratch.Path() / "table.csv";
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
        for (const bool heldFirst : {true, false}) {
            SCOPED_TRACE("share " + std::to_string(share) + (heldFirst ? ", held first" : ""));
            std::ofstream(target, std::ios::binary) << "old table";
            HANDLE held = INVALID_HANDLE_VALUE;
            const auto hold = [&] {
                held = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                ASSERT_NE(held, INVALID_HANDLE_VALUE);
            };
            if (heldFirst) {
                hold();
            }
            {
                ReplacementFile file(target.string());
                if (!heldFirst) {
                    ASSERT_TRUE(file.IsOpen());
                    std::fputs("new table", file.Stream());
                    hold();
                    EXPECT_FALSE(file.Commit());
                }
                EXPECT_FALSE(file.IsOpen());
                EXPECT_EQ(file.Why(), ReplacementFile::Failure::InUse);
                EXPECT_EQ(file.ErrorNumber(), EBUSY);
            }
            errno = 0;
            std::FILE* const read = OpenForReading(target.string());
            EXPECT_EQ(read != nullptr, share == FILE_SHARE_READ);
            EXPECT_EQ(errno, read != nullptr ? 0 : EBUSY);
            if (read != nullptr) {
                std::fclose(read);
            }
            CloseHandle(held);
            EXPECT_EQ(Contents(target), "old table");
            // Wine's ReplaceFileW leaves an empty file of its own ("rf….tmp"); ours must go.
            for (const fs::directory_entry& left : fs::directory_iterator(scratch.Path())) {
                EXPECT_FALSE(left.path().filename().string().starts_with(".zorvel-"))
                    << left.path();
            }
        }
    }
}

} // namespace
