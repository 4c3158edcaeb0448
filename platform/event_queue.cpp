#include "platform/event_queue.hpp"

#include <algorithm>

namespace varnsel::platform {

bool EventQueue::add(ControlId control, EventKind kind, std::int16_t key) {
    if (ended_) return false;
    if (kind == EventKind::Timer &&
        std::any_of(events_.begin(), events_.end(),
                    [&](const Event& e) { return e.kind == kind && e.control == control; })) {
        return false;
    }
    events_.push_back({control, kind, key});
    return true;
}

void EventQueue::deliver(FormHandler& form) {
    if (delivering_) return;
    delivering_ = true;
    while (!events_.empty()) {  // end() empties it
        const Event event = events_.front();
        events_.pop_front();
        form.onEvent(event.control, event.kind, event.key);
    }
    delivering_ = false;
}

void EventQueue::end() {
    ended_ = true;
    events_.clear();
}

}  // namespace varnsel::platform
