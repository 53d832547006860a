// What a desktop user gets from `cmake --install` and from the .deb: a launcher that
// validates, icons in the hicolor theme, AppStream metadata, a manual page, the program's
// version, an uninstall that takes back exactly one installation, and a package that
// passes Debian's checks.
#include "tests/shipping/command_runner.h"
#include "zorvel_version.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::string BuildDir = ZORVEL_BUILD_DIR;
const std::string SourceDir = ZORVEL_SOURCE_DIR;
const std::string Program = BuildDir + "/ui/zorvel";
const std::string BatchProgram = BuildDir + "/batch/zorvel-batch";

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

// Every file and folder under top, as paths relative to it.
std::set<std::string> Listing(const fs::path& top) {
    std::set<std::string> paths;
    std::error_code ignored;
    for (const auto& item : fs::recursive_directory_iterator(top, ignored)) {
        paths.insert(fs::relative(item.path(), top).string());
    }
    return paths;
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
    EXPECT_EQ(DesktopValue(entry, "Categories"), "Education;Physics;");
    // One main category only, or the validator hints that menus show it twice.
    EXPECT_EQ(check.output.find("hint"), std::string::npos) << check.output;
    // Qt names the window's instance after the program file; the dock matches it to us.
    EXPECT_EQ(DesktopValue(entry, "StartupWMClass"), "zorvel");
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

TEST_F(InstalledTree, ManualPagesRenderWithoutWarnings) {
    for (const char* name : {"zorvel.1.gz", "zorvel-batch.1.gz"}) {
        const fs::path page = Installed(std::string("share/man/man1/") + name);
        ASSERT_TRUE(fs::is_regular_file(page)) << page;
        // groff's own warnings (lines it cannot break, unknown macros) come out on stderr.
        const CommandResult warnings = RunCommand(
            "MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z " + ShellQuote(page) + " >/dev/null");
        EXPECT_EQ(warnings.exitCode, 0) << warnings.output;
        EXPECT_EQ(warnings.output, "") << name;
    }
    const fs::path page = Installed("share/man/man1/zorvel.1.gz");
    const CommandResult shown = RunCommand("MANWIDTH=80 man -l " + ShellQuote(page));
    ASSERT_EQ(shown.exitCode, 0) << shown.output;
    for (const char* part : {"SYNOPSIS", "DESCRIPTION", "ОПИСАНИЕ", "--version", "--help",
                             "ErrorLog.dat", "EXIT STATUS"}) {
        EXPECT_NE(shown.output.find(part), std::string::npos) << part << " in:\n" << shown.output;
    }
}

TEST_F(InstalledTree, LicenceAndChangelogLandInTheDocumentationFolder) {
    const std::string copyright = ReadFile(Installed("share/doc/zorvel/copyright"));
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/"
                              "copyright-format/1.0/\n",
                              0),
              0u);
    EXPECT_NE(copyright.find("само в непроменен вид и заедно с това споразумение"),
              std::string::npos);
    const CommandResult changelog =
        RunCommand("zcat " + ShellQuote(Installed("share/doc/zorvel/changelog.Debian.gz")));
    ASSERT_EQ(changelog.exitCode, 0) << changelog.output;
    EXPECT_EQ(changelog.output.rfind("zorvel (" ZORVEL_PROJECT_VERSION "-1) ", 0), 0u)
        << changelog.output;
}

// The two answers come with no display at all: were Qt started, the xcb platform would
// abort without one.
TEST(CommandLine, VersionAndHelpAnswerWithoutADisplay) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";
    const CommandResult version = RunCommand(noDisplay + ShellQuote(Program) + " --version");
    EXPECT_EQ(version.exitCode, 0) << version.output;
    EXPECT_EQ(version.output, "zorvel " ZORVEL_PROJECT_VERSION "\n");

    const CommandResult help = RunCommand(noDisplay + ShellQuote(Program) + " --help");
    EXPECT_EQ(help.exitCode, 0) << help.output;
    EXPECT_EQ(help.output.rfind("Употреба: zorvel [--help | --version]\n", 0), 0u) << help.output;
    EXPECT_NE(help.output.find("--version  "), std::string::npos) << help.output;

    // Other arguments are passed over, Qt's own included.
    const CommandResult among =
        RunCommand(noDisplay + ShellQuote(Program) + " -reverse --version extra");
    EXPECT_EQ(among.exitCode, 0) << among.output;
    EXPECT_EQ(among.output, version.output);

    // An answer that cannot be written is not a success.
    const CommandResult full = RunCommand(ShellQuote(Program) + " --version >/dev/full");
    EXPECT_EQ(full.exitCode, 1) << full.output;

    const CommandResult batch = RunCommand(ShellQuote(BatchProgram) + " --version");
    EXPECT_EQ(batch.exitCode, 0) << batch.output;
    EXPECT_EQ(batch.output, "zorvel-batch " ZORVEL_PROJECT_VERSION "\n");
}

// Release builds carry Debian's hardening: checked buffer functions, stack canaries,
// read-only relocations bound at start, a position-independent executable.
TEST(BuiltProgram, IsHardened) {
#ifdef ZORVEL_UNHARDENED_BUILD
    GTEST_SKIP() << "a sanitizer build is not hardened; the shipped build is checked";
#endif
    const std::string dynamic = RunCommand("readelf -d " + ShellQuote(Program)).output;
    EXPECT_NE(dynamic.find("BIND_NOW"), std::string::npos) << dynamic;
    EXPECT_NE(dynamic.find("PIE"), std::string::npos) << dynamic;
    const std::string segments = RunCommand("readelf -lW " + ShellQuote(Program)).output;
    EXPECT_NE(segments.find("GNU_RELRO"), std::string::npos) << segments;
    const std::string symbols = RunCommand("nm -D " + ShellQuote(Program)).output;
    EXPECT_NE(symbols.find("_chk@"), std::string::npos) << "no fortified call in:\n" << symbols;
    EXPECT_NE(symbols.find("__stack_chk_fail"), std::string::npos);
}

// A user installs for themselves, later from the same build folder for the whole system
// (as cpack does too), and then takes back the per-user installation: exactly its files and
// the folders it made go, never the other installation's nor the user's own.
TEST(Uninstall, TakesBackExactlyOnePerUserInstallation) {
    TemporaryFolder root;
    ASSERT_FALSE(root.path().empty());
    const fs::path user = root.path() / "home/.local";
    const fs::path system = root.path() / "usr";
    fs::create_directories(user / "share/applications");
    std::ofstream(user / "share/applications/other.desktop") << "[Desktop Entry]\n";
    fs::create_directories(user / "share/icons/hicolor/48x48/apps");
    const std::set<std::string> userBefore = Listing(user);

    const auto install = [](const fs::path& prefix) {
        return RunCommand("cmake --install " + ShellQuote(BuildDir) + " --strip --prefix " +
                          ShellQuote(prefix.string()));
    };
    const auto uninstall = [](const fs::path& prefix) {
        return RunCommand("cmake -D PREFIX=" + ShellQuote(prefix.string()) + " -P " +
                          ShellQuote(BuildDir + "/uninstall.cmake"));
    };
    const CommandResult userInstall = install(user);
    ASSERT_EQ(userInstall.exitCode, 0) << userInstall.output;
    const CommandResult systemInstall = install(system);
    ASSERT_EQ(systemInstall.exitCode, 0) << systemInstall.output;
    ASSERT_TRUE(fs::is_regular_file(user / "bin/zorvel"));
    ASSERT_TRUE(fs::is_regular_file(user / "share/icons/hicolor/16x16/apps/zorvel.png"));
    const std::set<std::string> systemInstalled = Listing(system);

    // A stripping install leaves neither symbols, debug data nor compiler notes.
    for (const char* program : {"bin/zorvel", "bin/zorvel-batch"}) {
        const std::string sections = RunCommand("readelf -SW " + ShellQuote(user / program)).output;
        ASSERT_NE(sections.find(".text"), std::string::npos) << program << ": " << sections;
        for (const char* section : {".symtab", ".debug_info", ".comment"}) {
            EXPECT_EQ(sections.find(section), std::string::npos) << program << ": " << section;
        }
    }

    const CommandResult removed = uninstall(user);
    ASSERT_EQ(removed.exitCode, 0) << removed.output;
    EXPECT_EQ(Listing(user), userBefore);
    EXPECT_EQ(Listing(system), systemInstalled);

    // Each installation is taken back once; the system one's record is still there.
    EXPECT_NE(uninstall(user).exitCode, 0);
    const CommandResult systemRemoved = uninstall(system);
    ASSERT_EQ(systemRemoved.exitCode, 0) << systemRemoved.output;
    EXPECT_EQ(Listing(system), std::set<std::string>{});
}

// run.sh installs only tools/debian-packages.txt: those packages and what they pull in
// must own every file the program's configure finds and every header it compiles against.
TEST(RunScriptPackages, AreEnoughToBuildTheProgram) {
    const CommandResult check =
        RunCommand(ShellQuote(SourceDir + "/tests/shipping/program_packages_check.sh") + " " +
                   ShellQuote(SourceDir) + " " + ShellQuote(BuildDir));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_NE(check.output.find("checked "), std::string::npos) << check.output;
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
    EXPECT_EQ(field("Version"), ZORVEL_PROJECT_VERSION "-1");
    EXPECT_EQ(field("Architecture"), "amd64");
    const std::string depends = field("Depends");
    for (const char* runtime :
         {"libqt6widgets6", "libqt6gui6", "libqt6core6", "libqt6printsupport6", "libjpeg62-turbo",
          "fonts-liberation2", "qt6-translations-l10n"}) {
        EXPECT_NE(depends.find(runtime), std::string::npos) << runtime << " in: " << depends;
    }
    // Build-time packages would drag a compiler onto a user's machine.
    EXPECT_EQ(depends.find("-dev"), std::string::npos) << depends;

    const std::string contents = RunCommand("dpkg-deb -c " + ShellQuote(deb)).output;
    for (const char* file :
         {"./usr/bin/zorvel", "./usr/bin/zorvel-batch", "./usr/share/applications/zorvel.desktop",
          "./usr/share/metainfo/org.example.zorvel.metainfo.xml",
          "./usr/share/icons/hicolor/32x32/apps/zorvel.png",
          "./usr/share/icons/hicolor/256x256/apps/zorvel.png", "./usr/share/man/man1/zorvel.1.gz",
          "./usr/share/man/man1/zorvel-batch.1.gz", "./usr/share/doc/zorvel/copyright",
          "./usr/share/doc/zorvel/changelog.Debian.gz"}) {
        EXPECT_NE(contents.find(file), std::string::npos) << file;
    }

    // Debian's policy checker: information tags may stay (the README gives the reason of
    // each), errors and warnings may not.
    const CommandResult lintian = RunCommand("lintian --pedantic " + ShellQuote(deb));
    EXPECT_EQ(lintian.exitCode, 0) << lintian.output;
    std::istringstream tags(lintian.output);
    std::string tag;
    while (std::getline(tags, tag)) {
        EXPECT_NE(tag.rfind("E: ", 0), 0u) << tag;
        EXPECT_NE(tag.rfind("W: ", 0), 0u) << tag;
    }
}

} // namespace
