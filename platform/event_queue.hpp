// The one queue every engine delivers events through: each event runs its
// handler to completion before the next starts, an event raised meanwhile
// (a focus move inside a handler, a tick during a message box) waits its turn,
// and after the program's end nothing runs.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/form_engine.hpp"

namespace varnsel::platform {

class EventQueue {
public:
    // False when nothing was added: the program ended, or a tick of the same
    // timer is still waiting (it is the same tick).
    bool add(ControlId control, EventKind kind, std::int16_t key = 0);
    // Runs the waiting events in order; inside a running delivery it returns
    // at once and the running one takes them in turn.
    void deliver(FormHandler& form);
    // No further event runs.
    void end();

    bool ended() const { return ended_; }
    bool delivering() const { return delivering_; }
    bool empty() const { return events_.empty(); }

private:
    struct Event {
        ControlId control;
        EventKind kind;
        std::int16_t key;
    };
    std::deque<Event> events_;
    bool delivering_ = false;
    bool ended_ = false;
};

}  // namespace varnsel::platform
