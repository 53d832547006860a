// The slots a fault handler reads to remove a save's files: only whole, registered paths,
// for as many files at once as there are slots, whatever the platform's characters; and the
// files removed through them.
#include "common/removal_slots.h"
#include "common/removed_on_fault.h"
#include "tests/common/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

template <class Char> std::vector<std::basic_string<Char>> Armed(RemovalSlots<Char>& slots) {
    std::vector<std::basic_string<Char>> paths;
    slots.RemoveArmed([&paths](const Char* path) { paths.emplace_back(path); });
    return paths;
}

TEST(RemovalSlots, HoldAsManyPathsAsThereAreSlotsAndGiveThemBack) {
    RemovalSlots<char> slots;
    std::vector<int> taken;
    for (const char* path : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) {
        taken.push_back(slots.Arm(path));
    }
    EXPECT_EQ(taken, (std::vector<int>{0, 1, 2, 3, -1}));
    EXPECT_EQ(Armed(slots), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    slots.Disarm(1);
    slots.Disarm(-1);
    EXPECT_EQ(Armed(slots), (std::vector<std::string>{"a.jpg", "c.jpg", "d.jpg"}));
    EXPECT_EQ(slots.Arm("f.jpg"), 1);
    EXPECT_EQ(Armed(slots), (std::vector<std::string>{"a.jpg", "f.jpg", "c.jpg", "d.jpg"}));
}

TEST(RemovalSlots, APathThatCannotBeHeldWholeIsNotHeldAtAll) {
    RemovalSlots<wchar_t> slots;
    EXPECT_EQ(slots.Arm(L""), -1);
    EXPECT_EQ(slots.Arm(std::wstring(L"page\0.jpg", 9)), -1);
    EXPECT_EQ(slots.Arm(std::wstring(4096, L'x')), -1);
    const std::wstring longest(4095, L'x');
    EXPECT_EQ(slots.Arm(longest), 0);
    EXPECT_EQ(Armed(slots), std::vector<std::wstring>{longest});
}

// A file's name as the program holds it, in UTF-8 on every platform.
std::string Utf8Name(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

TEST(RemovedOnFault, AFaultRemovesTheFilesStillRegisteredAndNoOther) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch("zorvel-removed-on-fault");
    const fs::path& folder = scratch.Path();
    const fs::path kept = folder / "kept.jpg";
    const fs::path half = folder / "half.jpg";
    const fs::path named = folder / fs::path(u8"Помагало_.jpg");
    for (const fs::path& file : {kept, half, named}) {
        std::ofstream(file) << "half a page";
    }
    RemovedOnFault wanted;
    wanted.Register(Utf8Name(kept));
    wanted.Forget();
    RemovedOnFault first;
    first.Register(Utf8Name(half));
    RemovedOnFault second;
    second.Register(Utf8Name(named));
    RemoveRegisteredFilesAfterFault();
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(half));
    EXPECT_FALSE(fs::exists(named));
}

} // namespace
