// The queue between the platform's notifications and WaitEvent.
#pragma once

#include "toolkit/toolkit.h"

#include <deque>
#include <optional>

namespace toolkit {

// What raised a control event, so that a text change and a focus change of the same
// field stay two events.
enum class EventDetail : int {
    None = 0,
    Pressed,
    TextChanged,
    FocusGained,
    FocusLost,
    Clicked,
};

struct Event {
    EventKind kind = NoEvent;
    int object = 0;
    int window = 0;
    EventDetail detail = EventDetail::None;

    bool operator==(const Event&) const = default;
};

class EventQueue {
  public:
    // Queues event unless it equals the last one still waiting or texts are being set.
    void Post(const Event& event);
    std::optional<Event> Take();
    bool Empty() const { return waiting_.empty(); }
    void Clear() { waiting_.clear(); }

    // While at least one of these is alive, nothing is queued.
    class Silence {
      public:
        explicit Silence(EventQueue& queue) : queue_(queue) { ++queue_.silenced_; }
        ~Silence() { --queue_.silenced_; }
        Silence(const Silence&) = delete;
        Silence& operator=(const Silence&) = delete;

      private:
        EventQueue& queue_;
    };

  private:
    std::deque<Event> waiting_;
    int silenced_ = 0;
};

} // namespace toolkit
