#include "internal/window_widget.h"

#include "internal/frame_fit.h"
#include "internal/qt_state.h"
#include "internal/status_bar_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QWindow>

#include <algorithm>

namespace toolkit {
namespace {

Qt::WindowFlags FlagsFor(unsigned options) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if ((options & TitleBar) != 0) {
        flags |= Qt::WindowTitleHint;
    }
    if ((options & SystemMenu) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if ((options & MinimizeBox) != 0) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

bool TakesTabFocus(const QWidget* widget) {
    return widget != nullptr && widget->isEnabled() && widget->isVisible() &&
           (widget->focusPolicy() & Qt::TabFocus) != 0;
}

} // namespace

std::vector<const ToolkitWindow*> MaximizedWindowsOn(const QScreen* screen) {
    std::vector<const ToolkitWindow*> found;
    for (const QWidget* const topLevel : QApplication::topLevelWidgets()) {
        const auto* const window = qobject_cast<const ToolkitWindow*>(topLevel);
        if (window != nullptr && window->isVisible() && window->isMaximized() &&
            window->screen() == screen) {
            found.push_back(window);
        }
    }
    return found;
}

QRect WorkAreaOf(const QWidget& window) {
    const QScreen* const shownOn =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    std::vector<QRect> maximizedFrames;
    for (const ToolkitWindow* const maximized : MaximizedWindowsOn(shownOn)) {
        // Where the client area really is on the screen: the widget's own position is
        // kept only from the configure events a window manager may not send.
        const QRect client(maximized->mapToGlobal(QPoint(0, 0)), maximized->size());
        maximizedFrames.push_back(client.marginsAdded(maximized->FrameMargins()));
    }
    const bool positionsKnown =
        !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    return WorkArea(shownOn->availableGeometry(), maximizedFrames, positionsKnown);
}

QPoint CentredOuterPosition(const QWidget& window, QSize outer) {
    const QScreen* const shownOn =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    return CentredFramePosition(shownOn->geometry(), WorkAreaOf(window), outer);
}

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("client"));
}

void ClientArea::PlaceEdgeBars() {
    for (StatusBarWidget* const bar : findChildren<StatusBarWidget*>(Qt::FindDirectChildrenOnly)) {
        bar->Place();
    }
    for (QToolBar* const bar : findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        bar->setGeometry(0, 0, width(), bar->sizeHint().height());
        bar->raise();
    }
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceEdgeBars();
}

ToolkitWindow::ToolkitWindow(int windowId, unsigned options)
    : QWidget(nullptr, FlagsFor(options)), id_(windowId), resizable_((options & Resizable) != 0),
      centred_((options & CentreOnScreen) != 0), client_(new ClientArea(this)) {
    setObjectName(QStringLiteral("window-%1").arg(windowId));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Only the controls take part in Tab; the window itself never keeps the focus.
    setFocusPolicy(Qt::NoFocus);
    // A window that is activated with no control focused gives the focus to its client
    // area, first in the focus chain, rather than to its first text field: no control has
    // the focus until the user gives it one. Tab from there goes to the first control.
    client_->setFocusPolicy(Qt::TabFocus);
}

void ToolkitWindow::AttachMenuBar(QMenuBar* menuBar) {
    if (menuBar_ && menuBar_ != menuBar) {
        menuBar_->hide();
    }
    menuBar_ = menuBar;
    menuBar->setParent(this);
    menuBar->show();
    if (openFirstMenu_ == nullptr) {
        // F10 reaches the menus from the keyboard, as on every desktop; Alt and a title's
        // underlined letter are the menu bar's own.
        openFirstMenu_ = new QShortcut(QKeySequence(Qt::Key_F10), this);
        connect(openFirstMenu_, &QShortcut::activated, this, [this] {
            if (menuBar_ && !menuBar_->actions().isEmpty()) {
                menuBar_->setActiveAction(menuBar_->actions().front());
            }
        });
    }
    PlaceChildren();
}

int ToolkitWindow::MenuBarHeight() const {
    return menuBar_ ? menuBar_->height() : 0;
}

void ToolkitWindow::AttachToolBar(QToolBar* toolBar) {
    if (toolStrip_ == nullptr) {
        toolStrip_ = new QWidget(this);
        toolStrip_->setObjectName(QStringLiteral("toolstrip"));
        toolStrip_->show();
    }
    toolBar->setParent(toolStrip_);
    toolBar->show();
    RefitToolStrip();
}

void ToolkitWindow::RefitToolStrip() {
    if (toolStrip_ == nullptr) {
        return;
    }
    int stripHeight = 0;
    for (QToolBar* const bar : toolStrip_->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        bar->setGeometry(0, stripHeight, width(), bar->sizeHint().height());
        stripHeight += bar->height();
    }
    const int growth = stripHeight - toolStripHeight_;
    toolStripHeight_ = stripHeight;
    if (growth != 0 && !isMaximized()) {
        const ProgramResize own(*this);
        const QSize grown(width(), height() + growth);
        if (minimumSize() == maximumSize()) {
            setFixedSize(grown);
        } else {
            resize(grown);
        }
        if (centred_) {
            // Centred by the outer size it has now, toolbar included.
            move(CentredOuterPosition(*this, grown + FrameExtra()));
        }
    }
    PlaceChildren();
}

QMargins ToolkitWindow::FrameMargins() const {
    // Asked of the platform window each time: the widget's own copy of its frame is only
    // brought up to date by the next move, and a frame that came after the window was
    // shown (a window manager reparenting it, decorations drawn by the client) would be
    // missed.
    const QWindow* const handle = windowHandle();
    const QMargins own = handle != nullptr ? handle->frameMargins() : QMargins();
    if (!own.isNull() || isMaximized()) {
        return own;
    }
    // A window manager that frames a window without saying so at first (a compositor's
    // X server) frames it as it framed the main window.
    for (const ToolkitWindow* const maximized : MaximizedWindowsOn(screen())) {
        const QWindow* const framed = maximized->windowHandle();
        if (framed != nullptr && !framed->frameMargins().isNull()) {
            return framed->frameMargins();
        }
    }
    return own;
}

QSize ToolkitWindow::FrameExtra() const {
    const QMargins frame = FrameMargins();
    return {frame.left() + frame.right(), frame.top() + frame.bottom()};
}

void ToolkitWindow::Recentre() {
    move(CentredOuterPosition(*this, size() + FrameExtra()));
}

void ToolkitWindow::AddToFocusOrder(QWidget* control) {
    std::erase_if(focusOrder_, [](const QPointer<QWidget>& widget) { return widget.isNull(); });
    focusOrder_.emplace_back(control);
}

void ToolkitWindow::SetTimer(int timerId, int periodMs) {
    QTimer*& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(this);
        const int windowId = id_;
        connect(timer, &QTimer::timeout, this, [timerId, windowId] {
            QueueEvent({TimerEvent, timerId, windowId, EventDetail::None});
        });
    }
    timer->start(std::max(periodMs, 1));
}

void ToolkitWindow::closeEvent(QCloseEvent* event) {
    // The program decides whether and when the window goes.
    event->ignore();
    QueueEvent({CloseEvent, 0, id_, EventDetail::None});
}

void ToolkitWindow::keyPressEvent(QKeyEvent* event) {
    if (closeOnEscape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        QueueEvent({CloseEvent, 0, id_, EventDetail::None});
        return;
    }
    QWidget::keyPressEvent(event);
}

void ToolkitWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceChildren();
    if (programResizes_ == 0) {
        QueueEvent({SizeEvent, 0, id_, EventDetail::None});
    }
}

void ToolkitWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        client_->PlaceEdgeBars();
    }
}

bool ToolkitWindow::focusNextPrevChild(bool next) {
    std::vector<QWidget*> candidates;
    for (const QPointer<QWidget>& control : focusOrder_) {
        if (TakesTabFocus(control.data())) {
            candidates.push_back(control.data());
        }
    }
    if (candidates.empty()) {
        return true;
    }
    const auto current =
        std::find(candidates.begin(), candidates.end(), QApplication::focusWidget());
    QWidget* target = nullptr;
    if (current == candidates.end()) {
        target = next ? candidates.front() : candidates.back();
    } else {
        const auto count = static_cast<std::ptrdiff_t>(candidates.size());
        const std::ptrdiff_t index = current - candidates.begin();
        target = candidates[static_cast<std::size_t>((index + (next ? 1 : count - 1)) % count)];
    }
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void ToolkitWindow::PlaceChildren() {
    int menuHeight = 0;
    if (menuBar_) {
        // One line, also while the bar is still empty.
        menuHeight = std::max(menuBar_->sizeHint().height(), menuBar_->fontMetrics().height());
    }
    if (menuBar_) {
        menuBar_->setGeometry(0, 0, width(), menuHeight);
    }
    if (toolStrip_ != nullptr) {
        toolStrip_->setGeometry(0, menuHeight, width(), toolStripHeight_);
        for (QToolBar* const bar :
             toolStrip_->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
            bar->resize(width(), bar->height());
        }
    }
    const int top = menuHeight + toolStripHeight_;
    client_->setGeometry(0, top, width(), std::max(0, height() - top));
}

} // namespace toolkit
