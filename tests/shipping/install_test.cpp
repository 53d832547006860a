// What a desktop user gets from `cmake --install` and from the .deb: a launcher that
// validates, icons in the hicolor theme, AppStream metadata, and the program's version.
#include "tests/shipping/command_runner.h"
#include "zorvel_version.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::string BuildDir = ZORVEL_BUILD_DIR;

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "zorvel-ship-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TemporaryFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove_all(path_, ignored);
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Value of "key=" in the [Desktop Entry] group, or nullopt-like "\x01" when absent.
std::string DesktopValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return "<missing>";
}

struct PngSize {
    int width = 0;
    int height = 0;
};

// Width and height from a PNG's IHDR chunk; 0 x 0 when the file is no PNG.
PngSize ReadPngSize(const fs::path& path) {
    const std::string bytes = ReadFile(path);
    static const std::string signature = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 24 || bytes.compare(0, 8, signature) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return {};
    }
    auto be32 = [&bytes](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
        }
        return value;
    };
    return {be32(16), be32(20)};
}

// One installation into a scratch root, shared by the checks of the installed tree.
class InstalledTree : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = std::make_unique<TemporaryFolder>();
        install_ = RunCommand("DESTDIR=" + ShellQuote(root_->path().string()) +
                              " cmake --install " + ShellQuote(BuildDir) + " --prefix /usr");
    }
    static void TearDownTestSuite() { root_.reset(); }

    void SetUp() override {
        ASSERT_FALSE(root_->path().empty());
        ASSERT_EQ(install_.exitCode, 0) << install_.output;
    }

    static fs::path Installed(const std::string& relative) {
        return root_->path() / "usr" / relative;
    }

    static std::unique_ptr<TemporaryFolder> root_;
    static CommandResult install_;
};

std::unique_ptr<TemporaryFolder> InstalledTree::root_;
CommandResult InstalledTree::install_;

TEST_F(InstalledTree, ProgramIsInstalledAsAnExecutable) {
    const fs::path program = Installed("bin/zorvel");
    ASSERT_TRUE(fs::is_regular_file(program));
    const auto permissions = fs::status(program).permissions();
    EXPECT_NE(permissions & fs::perms::owner_exec, fs::perms::none);
    EXPECT_NE(permissions & fs::perms::others_exec, fs::perms::none);
}

TEST_F(InstalledTree, EveryIconSizeLandsInItsOwnThemeFolder) {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path icon = Installed("share/icons/hicolor/" + folder + "/apps/zorvel.png");
        ASSERT_TRUE(fs::is_regular_file(icon)) << icon;
        const PngSize actual = ReadPngSize(icon);
        EXPECT_EQ(actual.width, size);
        EXPECT_EQ(actual.height, size);
    }
}

TEST_F(InstalledTree, LauncherValidatesAndStartsTheInstalledProgram) {
    const fs::path desktop = Installed("share/applications/zorvel.desktop");
    ASSERT_TRUE(fs::is_regular_file(desktop));
    const CommandResult check = RunCommand("desktop-file-validate " + ShellQuote(desktop));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(check.output.find("error"), std::string::npos) << check.output;

    const std::string entry = ReadFile(desktop);
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_EQ(DesktopValue(entry, "Type"), "Application");
    EXPECT_EQ(DesktopValue(entry, "Name"), "Зорвел");
    EXPECT_EQ(DesktopValue(entry, "Exec"), "zorvel");
    EXPECT_EQ(DesktopValue(entry, "Icon"), "zorvel");
    EXPECT_EQ(DesktopValue(entry, "Categories"), "Education;Science;");
    // The comment is for Bulgarian users: it must carry Cyrillic letters.
    const std::string comment = DesktopValue(entry, "Comment");
    EXPECT_NE(comment.find("влажност"), std::string::npos) << comment;
    // Exec names the program that the same installation put on the path.
    EXPECT_TRUE(fs::is_regular_file(Installed("bin/" + DesktopValue(entry, "Exec"))));
}

TEST_F(InstalledTree, AppStreamMetadataValidatesAgainstTheInstalledTree) {
    const fs::path metainfo = Installed("share/metainfo/org.example.zorvel.metainfo.xml");
    ASSERT_TRUE(fs::is_regular_file(metainfo));
    const CommandResult alone =
        RunCommand("appstreamcli validate --no-net " + ShellQuote(metainfo));
    EXPECT_EQ(alone.exitCode, 0) << alone.output;
    // The tree check also looks for the launcher the metadata names, and its icon.
    const CommandResult tree =
        RunCommand("appstreamcli validate-tree --no-net " + ShellQuote(root_->path().string()));
    EXPECT_EQ(tree.exitCode, 0) << tree.output;

    const std::string xml = ReadFile(metainfo);
    EXPECT_NE(xml.find("<launchable type=\"desktop-id\">zorvel.desktop</launchable>"),
              std::string::npos);
    EXPECT_NE(xml.find("<release version=\"" ZORVEL_PROJECT_VERSION "\""), std::string::npos)
        << "the metadata's newest release must be the version being built";
}

TEST(ProgramVersion, FileAndProductVersionsReachTheProgram) {
    EXPECT_STREQ(zorvel::FileVersion, "1.1.1.2");
    EXPECT_STREQ(zorvel::ProductVersion, "1.1");
    EXPECT_STREQ(zorvel::ApplicationName, "Зорвел");
}

TEST(DebianPackage, DependsOnTheRuntimePackagesAndCarriesTheLauncher) {
    TemporaryFolder output;
    ASSERT_FALSE(output.path().empty());
    const CommandResult pack =
        RunCommand("cpack -G DEB --config " + ShellQuote(BuildDir + "/CPackConfig.cmake") + " -B " +
                   ShellQuote(output.path().string()));
    ASSERT_EQ(pack.exitCode, 0) << pack.output;

    fs::path deb;
    for (const auto& item : fs::directory_iterator(output.path())) {
        if (item.path().extension() == ".deb") {
            deb = item.path();
        }
    }
    ASSERT_FALSE(deb.empty()) << pack.output;

    const auto field = [&deb](const std::string& name) {
        std::string value = RunCommand("dpkg-deb -f " + ShellQuote(deb) + " " + name).output;
        while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) {
            value.pop_back();
        }
        return value;
    };
    EXPECT_EQ(field("Package"), "zorvel");
    EXPECT_EQ(field("Version"), ZORVEL_PROJECT_VERSION);
    EXPECT_EQ(field("Architecture"), "amd64");
    const std::string depends = field("Depends");
    for (const char* runtime : {"libqt6widgets6", "libqt6gui6", "libqt6core6",
                                "libqt6printsupport6", "libjpeg62-turbo", "fonts-liberation2"}) {
        EXPECT_NE(depends.find(runtime), std::string::npos) << runtime << " in: " << depends;
    }
    // Build-time packages would drag a compiler onto a user's machine.
    EXPECT_EQ(depends.find("-dev"), std::string::npos) << depends;

    const std::string contents = RunCommand("dpkg-deb -c " + ShellQuote(deb)).output;
    for (const char* file : {"./usr/bin/zorvel", "./usr/share/applications/zorvel.desktop",
                             "./usr/share/metainfo/org.example.zorvel.metainfo.xml",
                             "./usr/share/icons/hicolor/32x32/apps/zorvel.png",
                             "./usr/share/icons/hicolor/256x256/apps/zorvel.png",
                             "./usr/bin/zorvel-batch", "./usr/share/man/man1/zorvel-batch.1"}) {
        EXPECT_NE(contents.find(file), std::string::npos) << file;
    }
}

} // namespace
