#include "platform/engine_core.hpp"

#include <cstdio>
#include <cstdlib>

namespace varnsel::platform {

void fault(const std::string& what) {
    std::fprintf(stderr, "varnsel: %s\n", what.c_str());
    std::abort();
}

const form::ControlDef& ofKind(ControlId control, form::Kind kind) {
    if (control.index < 0 || control.index >= static_cast<int>(form::kControlCount))
        fault("no control " + std::to_string(control.index) + " in the window table");
    const form::ControlDef& def = form::def(control);
    if (def.kind != kind) fault("\"" + std::string(def.name) + "\" is not of the kind used");
    return def;
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
    if (enqueue(control, kind, 0)) schedulePump_();
}

void EngineCore::pump() {
    if (form_) events_.deliver(*form_);
}

void EngineCore::focusMovedTo(ControlId control) {
    if (lastFocus_ == control) return;
    const std::optional<ControlId> from = lastFocus_;
    lastFocus_ = control;
    const bool lost = from && enqueue(*from, EventKind::LostFocus, 0);
    const bool got = enqueue(control, EventKind::GotFocus, 0);
    if (lost || got) schedulePump_();
}

}  // namespace varnsel::platform
