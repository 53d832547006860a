// Helpers for tests that look at what the toolkit put on the screen and in its queue.
#pragma once

#include "internal/qt_state.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <ostream>
#include <vector>

namespace toolkit_test {

struct SeenEvent {
    toolkit::EventKind kind;
    int object;
    int window;
    bool operator==(const SeenEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SeenEvent& event) {
    return out << "{kind " << event.kind << ", object " << event.object << ", window "
               << event.window << "}";
}

// Lets Qt deliver what is pending, then takes every queued event without blocking.
inline std::vector<SeenEvent> DrainEvents() {
    QCoreApplication::processEvents();
    std::vector<SeenEvent> seen;
    while (!toolkit::State().events.Empty()) {
        const toolkit::EventKind kind = toolkit::WaitEvent();
        seen.push_back({kind, toolkit::EventObject(), toolkit::EventWindow()});
    }
    return seen;
}

// Once a modal widget is up (a message box, a dialog), act on it. Call before the
// operation that opens it.
inline void WhenModalOpens(std::function<void(QWidget*)> act) {
    auto* const poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        if (QWidget* const modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start(20);
}

// Counts the paint events a widget gets, once what was pending has been painted.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) {
        QCoreApplication::processEvents();
        widget->installEventFilter(this);
    }
    // The paints since the counter was made, once Qt has delivered what is pending.
    int Paints() {
        QCoreApplication::processEvents();
        return paints_;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints_ += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }

  private:
    int paints_ = 0;
};

// A window to test in, opened at a fixed place and made active.
inline toolkit::ToolkitWindow* OpenTestWindow(int windowId, int width = 400, int height = 300,
                                              unsigned options = toolkit::TitleBar |
                                                                 toolkit::SystemMenu) {
    if (!toolkit::OpenWindow(windowId, 10, 10, width, height, "test", options)) {
        return nullptr;
    }
    toolkit::ToolkitWindow* const window = toolkit::WindowById(windowId);
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) {
        return nullptr;
    }
    DrainEvents();
    return window;
}

} // namespace toolkit_test
