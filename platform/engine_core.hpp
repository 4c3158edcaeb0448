// What every form engine does alike, written once: the one queue events
// wait in, which events a control delivers, focus moves turned into
// LostFocus and GotFocus, what the user's input does, which controls can
// take the focus and where it goes, the tab order read from the window
// table, whether a timer runs, and the list's sorted store. An engine keeps
// only what is its own: its widgets, their properties, moving the focus,
// its timers and its painting.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/window_definition.hpp"
#include "platform/event_queue.hpp"
#include "platform/form_engine.hpp"
#include "platform/list_store.hpp"

namespace varnsel::platform {

// A programming error: says what, and stops the program.
[[noreturn]] void fault(const std::string& what);

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
    // What the core asks of its engine.
    struct Engine {
        // Has the engine's loop call pump() at its next turn.
        std::function<void()> schedulePump;
        // Whether the control has the focus now.
        std::function<bool(ControlId)> hasFocus;
        // Moves the focus to the control, as the user's press does.
        std::function<void(ControlId)> giveFocus;
        // Whether the control is shown and enabled, as the toolkit has it.
        std::function<bool(ControlId)> shown;
    };
    explicit EngineCore(Engine engine) : engine_(std::move(engine)) {}

    void attach(FormHandler& form) { form_ = &form; }

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

    // Whether the control can take the focus now: of a kind that takes it,
    // shown and enabled, in a container that is shown.
    bool canTakeFocus(ControlId control) const;
    // Where Tab (Shift+Tab, with `back`) moves the focus from `from`.
    std::optional<ControlId> nextFocus(std::optional<ControlId> from, bool back) const;
    // Before the engine hides `control`: a hidden control cannot keep the
    // focus, which passes on in tab order.
    void hiding(ControlId control);

    // A timer switched on or off: whether the engine must start or stop it.
    // Enabling a running timer does not restart it.
    bool switchTimer(ControlId timer, bool on);
    bool timerRunning(ControlId timer) const {
        return timersOn_[static_cast<std::size_t>(timer.index)];
    }

    // The user's input, as the engine reports it before its toolkit handles
    // it; each answers whether the toolkit may go on with it. An input first
    // lets the LostFocus of a focus move run, and it has no effect if a
    // handler kept the focus elsewhere or ended the program. (An engine may
    // turn away first what presses nothing at all, as the right button.)
    //
    // A left-button press (or double click): the focus moves to its control
    // first. A press that had no effect swallows its release.
    bool press(ControlId control);
    bool release(ControlId control);
    // A key going down in the focused control.
    bool key(ControlId control);
    // A character typed into the focused control: a text box's KeyPress.
    bool character(ControlId control, std::int16_t code);
    // A button's or check box's own click, whatever made it. With the focus
    // on the control (the mouse, Space) it raises Click. Otherwise it came
    // from an assistive technology, whose caller waits for no message box:
    // from the loop's next turn the focus moves to the control, and if a
    // handler keeps it elsewhere, `undo` takes the click back and nothing
    // is raised.
    void click(ControlId control, std::function<void()> undo);

    // No further event runs.
    void end() { events_.end(); }
    bool ended() const { return events_.ended(); }

    ListStore list;

private:
    struct Assisted {
        ControlId control;
        std::function<void()> undo;
    };
    bool enqueue(ControlId control, EventKind kind, std::int16_t key);
    // The focus moves to the control and that move's events run; whether
    // the focus stayed there, in a program that goes on.
    bool focusStays(ControlId control);
    void runAssisted();

    Engine engine_;
    FormHandler* form_ = nullptr;
    EventQueue events_;
    std::optional<ControlId> lastFocus_;
    std::optional<ControlId> swallowed_;  // a press that had no effect, awaiting its release
    std::deque<Assisted> assisted_;       // in the order they came
    // Set while the core handles an input, which delivers the focus moves it
    // makes itself: they need no turn of the loop.
    bool handlingInput_ = false;
    bool assisting_ = false;  // an assistive click is being run
    std::array<bool, form::kControlCount> timersOn_{};
};

}  // namespace varnsel::platform
