// Saves that cannot be done as asked: each is refused with the reason the user is told,
// and what the user had before is kept. Cases that need another user or a file system
// of their own run in a child process and are skipped where the machine cannot.
#include "lifecycle/fatal_error_trap.h"
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "pages/save_failure_text.h"
#include "tests/pages/test_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testpics::ReadFile;
using testpics::ScratchFolder;

constexpr int kPageId = PageAirHumidity;
constexpr uid_t kNobody = 65534;
// A child's status that means "this machine cannot set the case up".
constexpr int kCannot = 125;

const std::vector<unsigned char> kOldBytes{'o', 'l', 'd', '\n'};

// What a save in a child process gave: its result and its reason.
struct Outcome {
    int result = -1;
    SaveFailure why = SaveFailure::Other;
    bool cannot = false;
    friend bool operator==(const Outcome& a, const Outcome& b) {
        return a.result == b.result && a.why == b.why && a.cannot == b.cannot;
    }
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << "result " << outcome.result << ", reason " << static_cast<int>(outcome.why)
               << (outcome.cannot ? " (could not be set up)" : "");
}

Outcome Saved() {
    return {1, SaveFailure::None};
}
Outcome Refused(SaveFailure why) {
    return {0, why};
}

// Runs setUp and then the save in a child process; setUp returns false when the machine
// cannot make the case.
Outcome SaveInChild(
    const PictureStore& store, const std::string& target,
    const std::function<bool()>& setUp = [] { return true; }) {
    const pid_t child = fork();
    if (child == 0) {
        if (!setUp()) {
            _exit(kCannot);
        }
        // As the program runs: the trap installed, with its file-size signal setting.
        InstallFatalErrorTrap();
        SaveFailure why = SaveFailure::Other;
        const int result = store.SaveAsJpeg(kPageId, target, &why);
        _exit(result * 16 + static_cast<int>(why));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return {};
    }
    if (WEXITSTATUS(status) == kCannot) {
        return {-1, SaveFailure::Other, true};
    }
    return {WEXITSTATUS(status) / 16, static_cast<SaveFailure>(WEXITSTATUS(status) % 16)};
}

std::size_t EntryCount(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

bool BecomeNobody() {
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

// A private file system view with a small tmpfs at `folder`; read-only when asked, after
// `fill` has put its files there.
std::function<bool()> OwnTmpfs(const std::string& folder, const std::string& options,
                               const std::function<bool()>& fill, bool readOnly) {
    return [=] {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            return false;
        }
        if (!fill()) {
            return false;
        }
        return !readOnly || mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY,
                                  options.c_str()) == 0;
    };
}

class SaveFailureTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(store_.Load(kPageId, EmbeddedImage(kPageId)), nullptr); }

    static void SkipUnlessRoot() {
        if (geteuid() != 0) {
            GTEST_SKIP() << "needs root to prepare another user's files and mounts";
        }
    }
    static mode_t ModeOf(const std::string& path) {
        struct stat info {};
        return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
    }

    PictureStore store_;
    ScratchFolder folder_;
};

TEST_F(SaveFailureTest, NamesThatAreNoOrdinaryFileAreRefusedAndLeftAlone) {
    ASSERT_EQ(mkdir(folder_.File("папка").c_str(), 0755), 0);
    EXPECT_EQ(SaveInChild(store_, folder_.File("папка")), Refused(SaveFailure::IsFolder));
    EXPECT_EQ(SaveInChild(store_, folder_.File("няма/page.jpg")),
              Refused(SaveFailure::NoSuchFolder));
    EXPECT_EQ(SaveInChild(store_, folder_.File(std::string(300, 'n') + ".jpg")),
              Refused(SaveFailure::NameTooLong));

    // A FIFO would hold the program until someone read it; it is refused without opening.
    ASSERT_EQ(mkfifo(folder_.File("fifo").c_str(), 0644), 0);
    EXPECT_EQ(SaveInChild(store_, folder_.File("fifo")), Refused(SaveFailure::NotOrdinaryFile));
    EXPECT_TRUE(S_ISFIFO(ModeOf(folder_.File("fifo"))));

    // A link to a device is followed, and the device is not touched.
    ASSERT_EQ(symlink("/dev/null", folder_.File("null").c_str()), 0);
    EXPECT_EQ(SaveInChild(store_, folder_.File("null")), Refused(SaveFailure::NotOrdinaryFile));
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"fifo", "null", "папка"}));
}

TEST_F(SaveFailureTest, ReplacedFileKeepsItsPermissionsOwnerAndOtherNames) {
    const std::string secret = folder_.File("secret.jpg");
    testpics::WriteFile(secret, kOldBytes);
    ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
    const std::string shared = folder_.File("shared.jpg");
    testpics::WriteFile(shared, kOldBytes);
    ASSERT_EQ(chmod(shared.c_str(), 0664), 0);
    ASSERT_EQ(link(shared.c_str(), folder_.File("other name.jpg").c_str()), 0);

    EXPECT_EQ(SaveInChild(store_, secret), Saved());
    EXPECT_EQ(ModeOf(secret) & 07777, 0600u);
    EXPECT_GT(ReadFile(secret).size(), 1000u);

    // The chosen name gets the page; the other name keeps what it had.
    EXPECT_EQ(SaveInChild(store_, shared), Saved());
    EXPECT_EQ(ModeOf(shared) & 07777, 0664u);
    EXPECT_GT(ReadFile(shared).size(), 1000u);
    EXPECT_EQ(ReadFile(folder_.File("other name.jpg")), kOldBytes);

    if (geteuid() == 0) {
        ASSERT_EQ(chown(secret.c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(SaveInChild(store_, secret), Saved());
        struct stat info {};
        ASSERT_EQ(stat(secret.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, kNobody);
        EXPECT_EQ(info.st_gid, kNobody);
    }
    EXPECT_EQ(folder_.Entries(),
              (std::vector<std::string>{"other name.jpg", "secret.jpg", "shared.jpg"}));
}

TEST_F(SaveFailureTest, DanglingLinkStaysALinkAndItsTargetIsWrittenInItsOwnFolder) {
    ASSERT_EQ(mkdir(folder_.File("pages").c_str(), 0755), 0);
    ASSERT_EQ(symlink("pages/new.jpg", folder_.File("link.jpg").c_str()), 0);
    EXPECT_EQ(SaveInChild(store_, folder_.File("link.jpg")), Saved());
    EXPECT_TRUE(S_ISLNK(ModeOf(folder_.File("link.jpg"))));
    EXPECT_GT(ReadFile(folder_.File("pages/new.jpg")).size(), 1000u);
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"link.jpg", "pages"}));
    unlink(folder_.File("pages/new.jpg").c_str());
}

TEST_F(SaveFailureTest, AnotherUsersLimitsAreKept) {
    SkipUnlessRoot();
    ASSERT_EQ(chmod(folder_.Path().c_str(), 0755), 0);
    // A folder that nobody may write into, holding nobody's own writable file.
    const std::string closed = folder_.File("closed");
    ASSERT_EQ(mkdir(closed.c_str(), 0755), 0);
    const std::string own = closed + "/own.jpg";
    testpics::WriteFile(own, kOldBytes);
    ASSERT_EQ(chown(own.c_str(), kNobody, kNobody), 0);
    // A folder nobody may write into, with a file protected against writing.
    const std::string open = folder_.File("open");
    ASSERT_EQ(mkdir(open.c_str(), 0755), 0);
    ASSERT_EQ(chown(open.c_str(), kNobody, kNobody), 0);
    const std::string locked = open + "/locked.jpg";
    testpics::WriteFile(locked, kOldBytes);
    ASSERT_EQ(chown(locked.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);

    const Outcome newFile = SaveInChild(store_, closed + "/new.jpg", BecomeNobody);
    if (newFile.cannot) {
        GTEST_SKIP() << "cannot act as user 65534 here";
    }
    EXPECT_EQ(newFile, Refused(SaveFailure::NoPermission));
    EXPECT_EQ(SaveInChild(store_, locked, BecomeNobody), Refused(SaveFailure::WriteProtected));
    EXPECT_EQ(ReadFile(locked), kOldBytes);
    // No temporary file can go beside it, but the file itself may be written.
    EXPECT_EQ(SaveInChild(store_, own, BecomeNobody), Saved());
    EXPECT_GT(ReadFile(own).size(), 1000u);

    unlink(own.c_str());
    unlink(locked.c_str());
    EXPECT_EQ(rmdir(closed.c_str()), 0) << "something was left in the closed folder";
    EXPECT_EQ(rmdir(open.c_str()), 0) << "something was left in the open folder";
}

TEST_F(SaveFailureTest, FullOrReadOnlyDiskIsNamedAndTheOldFileKept) {
    SkipUnlessRoot();
    const std::string disk = folder_.File("disk");
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    const std::string old = disk + "/old.jpg";
    // Checks inside the child (the mount lives only there) and reports by status.
    const auto oldKeptAlone = [&] { return ReadFile(old) == kOldBytes && EntryCount(disk) == 1; };
    const auto fillOld = [&] {
        testpics::WriteFile(old, kOldBytes);
        return true;
    };

    const pid_t child = fork();
    if (child == 0) {
        // A disk of 64 KiB is full long before the page (over 200 KB) is written.
        if (!OwnTmpfs(disk, "size=64k", fillOld, false)()) {
            _exit(kCannot);
        }
        InstallFatalErrorTrap();
        SaveFailure why = SaveFailure::None;
        const int overOld = store_.SaveAsJpeg(kPageId, old, &why);
        const bool full = overOld == 0 && why == SaveFailure::DiskFull && oldKeptAlone();
        const int asNew = store_.SaveAsJpeg(kPageId, disk + "/new.jpg", &why);
        _exit(full && asNew == 0 && why == SaveFailure::DiskFull && oldKeptAlone() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kCannot) {
        GTEST_SKIP() << "cannot mount a small tmpfs in a private mount namespace here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "full disk not named, or the old file changed";

    const Outcome readOnly =
        SaveInChild(store_, old, OwnTmpfs(disk, "size=1m", fillOld, /*readOnly=*/true));
    ASSERT_FALSE(readOnly.cannot);
    EXPECT_EQ(readOnly, Refused(SaveFailure::ReadOnlyDisk));
    EXPECT_EQ(SaveInChild(store_, disk + "/new.jpg",
                          OwnTmpfs(disk, "size=1m", fillOld, /*readOnly=*/true)),
              Refused(SaveFailure::ReadOnlyDisk));
}

TEST(SaveFailureText, NamesTheFileAndTheReasonInPlainWords) {
    const std::string file = "/home/ана/Помагало_.jpg";
    const std::vector<std::pair<SaveFailure, std::string>> reasons{
        {SaveFailure::NoSuchFolder, "няма такава папка."},
        {SaveFailure::NoPermission, "нямате право да записвате в тази папка."},
        {SaveFailure::ReadOnlyDisk, "дискът е само за четене."},
        {SaveFailure::DiskFull, "дискът е пълен."},
        {SaveFailure::TooLarge, "файлът е по-голям от позволения размер."},
        {SaveFailure::IsFolder, "това име е на папка."},
        {SaveFailure::WriteProtected, "файлът е защитен срещу запис."},
        {SaveFailure::NotOrdinaryFile, "това име не е на обикновен файл."},
        {SaveFailure::NameTooLong, "името е твърде дълго."},
        {SaveFailure::Other, "записът не успя."},
    };
    for (const auto& [why, reason] : reasons) {
        EXPECT_EQ(SaveFailureText(file, why),
                  "Файлът „/home/ана/Помагало_.jpg“ не е записан: " + reason);
    }
}

} // namespace
