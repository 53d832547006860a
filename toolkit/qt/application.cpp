// Start and end of the toolkit, and the lookups every other part of it shares.
#include "internal/qt_state.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <string_view>

namespace toolkit {
namespace {

constexpr int LargeBlockBytes = 256 * 1024;

bool IsSet(const char* variable) {
    const char* const value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// An X display of this machine (":0", ":1.0") has a socket file; a display elsewhere
// cannot be checked without connecting, so it is taken on trust.
bool LocalXDisplayExists() {
    const std::string_view display = std::getenv("DISPLAY");
    if (!display.starts_with(':')) {
        return true;
    }
    const std::string_view number = display.substr(1, display.find('.') - 1);
    return std::filesystem::exists("/tmp/.X11-unix/X" + std::string(number));
}

// Qt's X11 and Wayland plugins end the process when they cannot connect, so the
// question has to be answered before the application object exists.
bool DisplayReachable() {
    const char* const chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platform = chosen == nullptr ? "" : chosen;
    if (platform.starts_with("xcb")) {
        return IsSet("DISPLAY") && LocalXDisplayExists();
    }
    if (platform.starts_with("wayland")) {
        return IsSet("WAYLAND_DISPLAY");
    }
    if (platform.empty()) {
        return IsSet("WAYLAND_DISPLAY") || (IsSet("DISPLAY") && LocalXDisplayExists());
    }
    return true; // offscreen, vnc, ...: nothing to connect to in advance
}

// Qt ends the process with exit(1) when the connection to the display breaks, with every
// window still standing; the program's own ends release the toolkit first. Destroying the
// windows then would talk to a display that is gone and crash on the way out, so they are
// left to the system, which takes the memory back anyway.
void LeaveWindowsToTheSystem() {
    if (State().application) {
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

} // namespace

ToolkitState& State() {
    static ToolkitState state;
    return state;
}

ToolkitBooks& Books() {
    return State();
}

bool Started() {
    return State().application != nullptr;
}

void UseBulgarianQtTexts() {
    ToolkitState& state = State();
    if (!Started() || state.translationTried) {
        return;
    }
    state.translationTried = true;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_bg"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        state.translator = std::move(translator);
    }
}

bool InitToolkit(int& argc, char** argv) {
    ToolkitState& state = State();
    if (state.application) {
        return true;
    }
    if (!DisplayReachable()) {
        return false;
    }
    // The program reads no command line: Qt sees the program's name alone, so its own
    // options (-reverse, -style, -stylesheet ...) change nothing.
    state.programName = argc > 0 && argv != nullptr && argv[0] != nullptr ? argv[0] : "zorvel";
    state.qtArguments = {state.programName.data(), nullptr};
    state.qtArgumentCount = 1;
    // A page and its screen image are megabytes each. Given their own mappings, they go
    // back to the system when freed; otherwise the heap keeps what a closed page held
    // (a fixed threshold also stops glibc from raising it after the first such free).
    mallopt(M_MMAP_THRESHOLD, LargeBlockBytes);
    state.application =
        std::make_unique<QApplication>(state.qtArgumentCount, state.qtArguments.data());
    // Registered after the state exists, so that it runs before the state is destroyed.
    static const bool leaveRegistered = std::atexit(LeaveWindowsToTheSystem) == 0;
    (void)leaveRegistered;
    // Closing a window is the program's decision, never Qt's.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own texts in Bulgarian come later (UseBulgarianQtTexts): reading the
    // translation is not worth keeping the window from the screen.
    return true;
}

void SetProgramIcon(const unsigned char* fileBytes, std::size_t size) {
    if (!Started() || fileBytes == nullptr || size == 0) {
        return;
    }
    const QImage image = QImage::fromData(fileBytes, static_cast<int>(size));
    if (image.isNull()) {
        return;
    }
    State().programIcon = QIcon(QPixmap::fromImage(image));
    QApplication::setWindowIcon(State().programIcon);
}

void SetApplicationData(std::string_view name, std::string_view version,
                        std::string_view desktopEntry) {
    if (!Started()) {
        return;
    }
    QCoreApplication::setApplicationName(ToQString(name));
    QCoreApplication::setApplicationVersion(ToQString(version));
    // Lets the desktop match our windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(ToQString(desktopEntry));
}

void ReleaseFonts() {
    State().controls.ForEach([](int, ControlEntry& entry) { entry.font = nullptr; });
    State().fonts.Clear();
}

void ShutDownToolkit() {
    ToolkitState& state = State();
    StopPrinting();
    state.print = PrintJob{};
    CloseAllWindows();
    ReleaseFonts();
    state.events.Clear();
    state.programIcon = QIcon();
    if (state.translator) {
        QCoreApplication::removeTranslator(state.translator.get());
        state.translator.reset();
    }
    state.translationTried = false;
    state.application.reset();
}

int PrimaryScreenDepth() {
    if (!Started()) {
        return 0;
    }
    const QScreen* const screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 0 : screen->depth();
}

ToolkitWindow* WindowById(int windowId) {
    WindowEntry* const entry = State().windows.Find(windowId);
    return entry == nullptr ? nullptr : entry->widget.get();
}

ControlEntry* ControlEntryById(int controlId) {
    ControlEntry* const entry = State().controls.Find(controlId);
    return entry == nullptr || !entry->widget ? nullptr : entry;
}

QWidget* ControlById(int controlId) {
    const ControlEntry* const entry = ControlEntryById(controlId);
    return entry == nullptr ? nullptr : entry->widget.get();
}

int ControlIdOf(const QWidget* widget) {
    if (widget == nullptr) {
        return -1;
    }
    return State().controls.FindId(
        [widget](const ControlEntry& entry) { return entry.widget.get() == widget; }, -1);
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

} // namespace toolkit
