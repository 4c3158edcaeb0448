// What every form engine does alike, written once: the one queue events
// wait in, which events a control delivers, focus moves turned into
// LostFocus and GotFocus, the tab order read from the window table, the
// list's sorted store, and the check that a member is used on its kind of
// control. An engine keeps only what is its own: its widgets, their
// properties, moving the focus, its timers, its painting and its run-time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/form/window_definition.hpp"
#include "platform/event_queue.hpp"
#include "platform/form_engine.hpp"
#include "platform/list_store.hpp"

namespace varnsel::platform {

// A programming error: says what, and stops the program.
[[noreturn]] void fault(const std::string& what);

// The control's row, after checking that it is of the kind a member needs.
const form::ControlDef& ofKind(ControlId control, form::Kind kind);

// Where Tab (or, with `back`, Shift+Tab) goes from `from`: the next control
// in tab order that can take the focus now, round the end; the first one
// when `from` is none. Nothing when no control can take it.
std::optional<ControlId> nextInTabOrder(std::optional<ControlId> from, bool back,
                                        const std::function<bool(ControlId)>& canTakeFocus);

// What a screen reader is to be told when a label's caption changes: the
// descriptions of the controls it describes, and what to announce at once
// ("" for nothing). Both read the value with its caption label's text.
struct ReadOut {
    std::vector<std::pair<ControlId, std::string>> descriptions;
    std::string announcement;
};
ReadOut readOut(ControlId label, std::string_view caption);

class EngineCore {
public:
    // `schedulePump` has the engine's loop call pump() at its next turn.
    explicit EngineCore(std::function<void()> schedulePump)
        : schedulePump_(std::move(schedulePump)) {}

    void attach(FormHandler& form) { form_ = &form; }
    bool attached() const { return form_ != nullptr; }

    // Raises Load, with the list collecting what the handler adds, so that a
    // long scan is sorted once: `settleList` ends the collecting and shows
    // the sorted list.
    void load(const std::function<void()>& settleList);

    // raise() delivers at once unless a handler is running; post() from the
    // loop's next turn. Events a control does not deliver are dropped here.
    void raise(ControlId control, EventKind kind, std::int16_t key = 0);
    void post(ControlId control, EventKind kind);
    void pump();

    // A move of the focus between the window's controls, once it happened:
    // LostFocus and GotFocus follow, from the loop, as events of their own.
    void focusMovedTo(ControlId control);
    std::optional<ControlId> lastFocus() const { return lastFocus_; }

    // No further event runs.
    void end() { events_.end(); }
    bool ended() const { return events_.ended(); }

    ListStore list;

private:
    bool enqueue(ControlId control, EventKind kind, std::int16_t key);

    std::function<void()> schedulePump_;
    FormHandler* form_ = nullptr;
    EventQueue events_;
    std::optional<ControlId> lastFocus_;
};

}  // namespace varnsel::platform
