// Ownership of a widget that the toolkit's tables hold while Qt may also own it through
// a parent: the handle deletes the widget when it goes, unless Qt got there first.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace toolkit {

template <class W> class WidgetHandle {
  public:
    WidgetHandle() = default;
    explicit WidgetHandle(W* widget) : widget_(widget) {}
    WidgetHandle(WidgetHandle&& other) noexcept : widget_(std::exchange(other.widget_, nullptr)) {}
    WidgetHandle& operator=(WidgetHandle&& other) noexcept {
        if (this != &other) {
            Destroy();
            widget_ = std::exchange(other.widget_, nullptr);
        }
        return *this;
    }
    WidgetHandle(const WidgetHandle&) = delete;
    WidgetHandle& operator=(const WidgetHandle&) = delete;
    ~WidgetHandle() { Destroy(); }

    W* get() const { return widget_.data(); }
    W* operator->() const { return widget_.data(); }
    W& operator*() const { return *widget_.data(); }
    explicit operator bool() const { return !widget_.isNull(); }

  private:
    void Destroy() {
        W* const widget = widget_.data();
        widget_ = nullptr;
        if (widget != nullptr) {
            // Hiding the focused control would pass the focus on to the next one; a
            // control that goes takes the focus with it, and no control has it after.
            QWidget* const focused = QApplication::focusWidget();
            if (focused != nullptr && (focused == widget || widget->isAncestorOf(focused))) {
                focused->clearFocus();
            }
            widget->hide();
            delete widget;
        }
    }

    QPointer<W> widget_;
};

} // namespace toolkit
