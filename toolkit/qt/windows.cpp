// Opening, measuring and closing the program's windows.
#include "internal/frame_fit.h"
#include "internal/qt_state.h"
#include "internal/status_bar_widget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace toolkit {
namespace {

QScreen* ScreenOf(const QWidget* widget) {
    QScreen* const screen = widget->screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// The outer rectangle centred on the screen; an outer rectangle larger than the
// screen starts at the screen's corner.
QPoint CentredPosition(const ToolkitWindow& window, int innerWidth, int innerHeight) {
    return CentredOuterPosition(window, QSize(innerWidth, innerHeight) + window.FrameExtra());
}

// On a real display the window is mapped asynchronously; give it a moment so that the
// sizes the program measures next are the ones on the screen.
void WaitUntilExposed(const QWidget& window) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (window.windowHandle() != nullptr && !window.windowHandle()->isExposed() &&
           waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// A maximized window is resized by the platform after it is shown (to make room for a
// window manager's frame, or the offscreen platform's simulated one). The program measures
// its layout once, right after opening, so wait until the size has stopped changing.
void WaitUntilSizeSettles(const QWidget& window) {
    const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
    const int roundMs = offscreen ? 0 : 20;
    QElapsedTimer waited;
    waited.start();
    QSize last = window.size();
    int stableRounds = 0;
    while (stableRounds < 3 && waited.elapsed() < 1000) {
        if (roundMs > 0) {
            QEventLoop pause;
            QTimer::singleShot(roundMs, &pause, &QEventLoop::quit);
            pause.exec(QEventLoop::ExcludeUserInputEvents);
        } else {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        const QSize now = window.size();
        stableRounds = now == last ? stableRounds + 1 : 0;
        last = now;
    }
}

// Shows a window just made with the options and inner size it was opened with, and
// waits until it has the size the program will measure.
void ShowOpened(ToolkitWindow& window, unsigned options, QSize inner) {
    const bool maximized = (options & Maximized) != 0;
    if (maximized) {
        // The centred rectangle is the restored place the window manager keeps.
        window.showMaximized();
    } else {
        window.show();
    }
    WaitUntilExposed(window);
    if (maximized) {
        WaitUntilSizeSettles(window);
        // Without a window manager nothing maximizes the window (and nothing frames
        // it), so it takes the screen's free area itself and the layout fills the
        // screen everywhere. A compositor's X server frames windows without saying so:
        // a window it has resized is maximized already, and taking a geometry would
        // undo that.
        const QRect free = ScreenOf(&window)->availableGeometry();
        const bool leftAsOpened = window.size() == inner;
        if (window.FrameExtra().isNull() && leftAsOpened && window.geometry() != free) {
            window.setGeometry(free);
            WaitUntilSizeSettles(window);
        }
    }
    if ((options & CentreOnScreen) != 0 && !maximized) {
        // The frame's size is known once the window is on the screen.
        window.move(CentredPosition(window, inner.width(), inner.height()));
    }
}

} // namespace

bool OpenWindow(int windowId, int x, int y, int innerWidth, int innerHeight, std::string_view title,
                unsigned options, int parentWindow) {
    if (!Started()) {
        return false;
    }
    CloseWindow(windowId);
    options = OpeningOptions(options);
    innerWidth = std::max(innerWidth, 0);
    innerHeight = std::max(innerHeight, 0);

    WidgetHandle<ToolkitWindow> window(new ToolkitWindow(windowId, options));
    // Whatever size the window takes on its way to the screen is measured afterwards.
    const ToolkitWindow::ProgramResize opening(*window);
    window->setWindowTitle(ToQString(title));
    if (!State().programIcon.isNull()) {
        window->setWindowIcon(State().programIcon);
    }
    window->resize(innerWidth, innerHeight);
    const bool maximized = (options & Maximized) != 0;
    if ((options & Resizable) == 0 && !maximized) {
        window->setFixedSize(innerWidth, innerHeight);
    }
    window->move((options & CentreOnScreen) != 0 ? CentredPosition(*window, innerWidth, innerHeight)
                                                 : QPoint(x, y));
    if (const ToolkitWindow* const owner = WindowById(parentWindow)) {
        window->winId();
        window->windowHandle()->setTransientParent(owner->windowHandle());
    }
    const QSize inner(innerWidth, innerHeight);
    if ((options & Hidden) == 0) {
        ShowOpened(*window, options, inner);
    } else {
        // A hidden widget has no resize event until it is shown: the client area takes
        // its place now, for the program to measure and fill.
        window->PlaceChildren();
    }
    State().windows.Put(windowId, WindowEntry{std::move(window), parentWindow, options, inner});
    State().gadgetTarget = windowId;
    return true;
}

void RevealWindow(int windowId) {
    WindowEntry* const entry = State().windows.Find(windowId);
    if (entry == nullptr || entry->widget->isVisible()) {
        return;
    }
    // The program lays the window out for the size it takes here itself.
    const ToolkitWindow::ProgramResize revealing(*entry->widget);
    ShowOpened(*entry->widget, entry->options, entry->inner);
}

void ActivateWindow(int windowId) {
    if (ToolkitWindow* const window = WindowById(windowId)) {
        window->raise();
        window->activateWindow();
    }
}

void SetWindowBackground(int windowId, Colour colour) {
    ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return;
    }
    ClientArea* const client = window->Client();
    if (colour == DefaultColour) {
        client->setPalette(QPalette());
        client->setAutoFillBackground(false);
    } else {
        QPalette palette = client->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(colour)));
        client->setPalette(palette);
        client->setAutoFillBackground(true);
    }
    client->update();
}

double DisplayScale(int windowId) {
    const ToolkitWindow* const window = WindowById(windowId);
    return window == nullptr ? 0.0 : window->devicePixelRatioF();
}

int FreeInnerHeight(int windowId) {
    const ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return 0;
    }
    int statusHeight = 0;
    State().statusBars.ForEach(
        [windowId, &statusHeight](int, const BarEntry<StatusBarWidget>& bar) {
            if (bar.windowId == windowId && bar.widget) {
                statusHeight = std::max(statusHeight, bar.widget->height());
            }
        });
    return std::max(0, window->Client()->height() - statusHeight);
}

int InnerWidth(int windowId) {
    const ToolkitWindow* const window = WindowById(windowId);
    return window == nullptr ? 0 : window->Client()->width();
}

int InnerHeight(int windowId) {
    const ToolkitWindow* const window = WindowById(windowId);
    return window == nullptr
               ? 0
               : window->Client()->height() + window->MenuBarHeight() + window->ToolStripHeight();
}

Size ScreenRoom(int windowId) {
    const ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return {};
    }
    const QSize room = RoomInside(WorkAreaOf(*window), window->FrameMargins(),
                                  window->MenuBarHeight() + window->ToolStripHeight());
    return {room.width(), room.height()};
}

void SetMinimumInnerSize(int windowId, int innerWidth, int innerHeight) {
    ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return;
    }
    // The inner height counts the menu bar and toolbars, as the window's own height does.
    // A window manager could not keep a larger minimum on the screen, maximized or not.
    // A window built off the screen has no frame yet; taken as none, its minimum would
    // leave no room for the title bar, and the window manager would push the window's
    // bottom, status bar and all, off a small or scaled screen.
    QMargins frame = window->FrameMargins();
    if (frame.isNull() && !window->isVisible()) {
        frame.setTop(window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }
    const QSize room = RoomInside(WorkAreaOf(*window), frame, 0);
    const ToolkitWindow::ProgramResize own(*window);
    window->setMinimumSize(std::clamp(innerWidth, 0, room.width()),
                           std::clamp(innerHeight, 0, room.height()));
}

void ResizeWindow(int windowId, int innerWidth, int innerHeight) {
    ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return;
    }
    const ToolkitWindow::ProgramResize own(*window);
    const QSize inner(std::max(innerWidth, 0), std::max(innerHeight, 0) + window->MenuBarHeight() +
                                                   window->ToolStripHeight());
    if (window->IsResizable()) {
        window->resize(inner);
    } else {
        window->setFixedSize(inner);
    }
    if (window->IsCentred()) {
        window->Recentre();
    }
}

void CloseOnEscape(int windowId) {
    if (ToolkitWindow* const window = WindowById(windowId)) {
        window->SetCloseOnEscape(true);
    }
}

void AddTimer(int windowId, int timerId, int periodMs) {
    if (ToolkitWindow* const window = WindowById(windowId)) {
        window->SetTimer(timerId, periodMs);
    }
}

} // namespace toolkit
