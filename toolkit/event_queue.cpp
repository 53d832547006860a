#include "internal/event_queue.h"

namespace toolkit {

void EventQueue::Post(const Event& event) {
    if (silenced_ > 0) {
        return;
    }
    // A slow program must not fall behind a timer: one waiting copy is enough.
    if (!waiting_.empty() && waiting_.back() == event) {
        return;
    }
    waiting_.push_back(event);
}

std::optional<Event> EventQueue::Take() {
    if (waiting_.empty()) {
        return std::nullopt;
    }
    const Event next = waiting_.front();
    waiting_.pop_front();
    return next;
}

} // namespace toolkit
