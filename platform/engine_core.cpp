#include "platform/engine_core.hpp"

#include <cstdio>
#include <cstdlib>

namespace varnsel::platform {

void fault(const std::string& what) {
    std::fprintf(stderr, "varnsel: %s\n", what.c_str());
    std::abort();
}

std::optional<ControlId> nextInTabOrder(std::optional<ControlId> from, bool back,
                                        const std::function<bool(ControlId)>& canTakeFocus) {
    const auto& order = form::kTabOrder;
    const std::size_t n = order.size();
    std::size_t at = back ? 0 : n - 1;  // from none: the first (or the last) is next
    for (std::size_t i = 0; from && i < n; ++i) {
        if (order[i] == *from) at = i;
    }
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = back ? (at + n - step) % n : (at + step) % n;
        if (canTakeFocus(order[i])) return order[i];
    }
    return std::nullopt;
}

ReadOut readOut(ControlId label, std::string_view caption) {
    std::string heard;
    for (const form::LabelledBy& relation : form::kLabelledBy) {
        if (relation.control == label)
            heard = std::string(form::def(relation.label).caption) + " " + std::string(caption);
    }
    ReadOut out;
    for (const form::DescribedBy& described : form::kDescribedBy) {
        if (described.value == label) out.descriptions.emplace_back(described.control, heard);
    }
    for (const ControlId announced : form::kAnnounced) {
        if (announced == label) out.announcement = heard;
    }
    return out;
}

bool EngineCore::canTakeFocus(ControlId control) const {
    const ControlId container = form::containerOf(control);
    return form::takesFocus(form::def(control).kind) && engine_.shown(control) &&
           (container == form::kForm || engine_.shown(container));
}

std::optional<ControlId> EngineCore::nextFocus(std::optional<ControlId> from, bool back) const {
    return nextInTabOrder(from, back, [this](ControlId control) { return canTakeFocus(control); });
}

// The control itself comes last in its own tab order: only where no other
// can take the focus does it keep it.
void EngineCore::hiding(ControlId control) {
    if (!engine_.hasFocus(control)) return;
    if (const auto next = nextFocus(control, false)) engine_.giveFocus(*next);
}

bool EngineCore::switchTimer(ControlId timer, bool on) {
    bool& running = timersOn_[static_cast<std::size_t>(timer.index)];
    if (running == on) return false;
    running = on;
    return true;
}

void EngineCore::load(const std::function<void()>& settleList) {
    list.beginCollecting();
    raise(form::kForm, EventKind::Load);
    settleList();
}

bool EngineCore::enqueue(ControlId control, EventKind kind, std::int16_t key) {
    return form_ && form::delivers(control, kind) && events_.add(control, kind, key);
}

void EngineCore::raise(ControlId control, EventKind kind, std::int16_t key) {
    if (enqueue(control, kind, key)) pump();
}

void EngineCore::post(ControlId control, EventKind kind) {
    if (enqueue(control, kind, 0)) engine_.schedulePump();
}

void EngineCore::pump() {
    if (!form_ || events_.delivering()) return;
    events_.deliver(*form_);
    runAssisted();
}

void EngineCore::focusMovedTo(ControlId control) {
    if (lastFocus_ == control) return;
    const std::optional<ControlId> from = lastFocus_;
    lastFocus_ = control;
    const bool lost = from && enqueue(*from, EventKind::LostFocus, 0);
    const bool got = enqueue(control, EventKind::GotFocus, 0);
    // A running delivery, or the input being handled, takes them in turn.
    if ((lost || got) && !handlingInput_ && !events_.delivering()) engine_.schedulePump();
}

namespace {

// Sets one of the core's flags (an input being handled, an assistive click
// being run) for as long as it lives, and gives it back its value after.
class Handling {
public:
    explicit Handling(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Handling() { flag_ = was_; }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

private:
    bool& flag_;
    bool was_;
};

}  // namespace

bool EngineCore::focusStays(ControlId control) {
    if (ended()) return false;  // the window is going: nothing moves
    const Handling handling(handlingInput_);
    const bool focusable = form::takesFocus(form::def(control).kind);
    if (focusable && !engine_.hasFocus(control)) engine_.giveFocus(control);
    pump();
    return !ended() && (!focusable || engine_.hasFocus(control));
}

bool EngineCore::press(ControlId control) {
    swallowed_.reset();  // one whose release went to a message box
    if (focusStays(control)) return true;
    if (!ended()) swallowed_ = control;
    return false;
}

bool EngineCore::release(ControlId control) {
    if (swallowed_ != control) return true;
    swallowed_.reset();
    return false;
}

bool EngineCore::key(ControlId control) {
    const Handling handling(handlingInput_);
    pump();
    return !ended() && engine_.hasFocus(control);
}

// Only the text box delivers KeyPress: elsewhere nothing is raised.
bool EngineCore::character(ControlId control, std::int16_t code) {
    raise(control, EventKind::KeyPress, code);
    return !ended() && engine_.hasFocus(control);
}

void EngineCore::click(ControlId control, std::function<void()> undo) {
    if (engine_.hasFocus(control)) return raise(control, EventKind::Click);
    assisted_.push_back({control, std::move(undo)});
    engine_.schedulePump();
}

// One at a time: the focus move of one pumps the loop, which must not start
// the next before the first is raised or taken back.
void EngineCore::runAssisted() {
    if (assisting_) return;
    const Handling one(assisting_);
    while (!assisted_.empty()) {  // after the end, each does nothing
        const Assisted assisted = std::move(assisted_.front());
        assisted_.pop_front();
        if (focusStays(assisted.control)) {
            raise(assisted.control, EventKind::Click);
        } else if (!ended()) {
            assisted.undo();
        }
    }
}

}  // namespace varnsel::platform
