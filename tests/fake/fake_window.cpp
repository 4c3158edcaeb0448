#include "tests/fake/fake_window.hpp"

#include <algorithm>

#include "platform/utf8.hpp"

namespace varnsel::fake {
namespace {

using platform::EventKind;

}  // namespace

FakeWindow::FakeWindow() {
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const form::ControlDef& def = form::kControls[i];
        controls_[i] = {std::string(def.caption), def.value, def.visible, def.enabled, 0, 0, {}};
        if (def.kind == form::Kind::Timer)
            core_.switchTimer(ControlId(static_cast<int>(i)), def.enabled);
    }
}

// --- Engine plumbing -------------------------------------------------------

FakeWindow::State& FakeWindow::anyState(ControlId control) {
    if (control.index < 0 || control.index >= static_cast<int>(form::kControlCount))
        throw EngineFault("no control " + std::to_string(control.index));
    return controls_[static_cast<std::size_t>(control.index)];
}

const FakeWindow::State& FakeWindow::anyState(ControlId control) const {
    return const_cast<FakeWindow*>(this)->anyState(control);
}

// The focus changes first; LostFocus and GotFocus follow as events of their own.
void FakeWindow::moveFocus(std::optional<ControlId> to) {
    focus_ = to;
    if (to) core_.focusMovedTo(*to);
}

int FakeWindow::run(platform::FormHandler& form) {
    recorder_.engine = this;
    recorder_.form = &form;
    core_.attach(recorder_);
    core_.load([this] { core_.list.endCollecting(); });
    moveFocus(core_.nextFocus(std::nullopt, false));
    return 0;
}

// --- Control members -------------------------------------------------------

void FakeWindow::setCaption(Of<Kind::Label> label, std::string_view text) {
    anyState(label).caption = std::string(text);
}

int FakeWindow::value(Of<Kind::CheckBox> checkBox) const {
    return anyState(checkBox).value;
}

std::string FakeWindow::text(Of<Kind::TextBox> textBox) const {
    return anyState(textBox).caption;
}

void FakeWindow::setVisible(Of<Kind::TextBox, Kind::Image> control, bool visible) {
    if (!visible) core_.hiding(control);
    anyState(control).visible = visible;
}

void FakeWindow::setSelStart(Of<Kind::TextBox> textBox, int start) {
    State& s = anyState(textBox);
    // As a text box does: the start is clamped and the selection emptied.
    s.selStart = std::clamp(start, 0, platform::characterCount(s.caption));
    s.selLength = 0;
}

void FakeWindow::setSelLength(Of<Kind::TextBox> textBox, int length) {
    State& s = anyState(textBox);
    s.selLength = std::clamp(length, 0, platform::characterCount(s.caption) - s.selStart);
}

void FakeWindow::setFocus(Of<Kind::TextBox> control) {
    if (!core_.canTakeFocus(control)) {
        throw EngineFault("SetFocus on " + std::string(form::nameOf(control)) +
                          ", which cannot take the focus");
    }
    moveFocus(control);
}

int FakeWindow::listCount(Of<Kind::ListBox> /*list*/) const {
    return core_.list.count();
}

bool FakeWindow::selected(Of<Kind::ListBox> list, int index) const {
    const State& s = anyState(list);
    if (index < 0 || index >= core_.list.count()) throw EngineFault("list index out of range");
    return s.selected == index;
}

std::string FakeWindow::list(Of<Kind::ListBox> /*list*/, int index) const {
    if (index < 0 || index >= core_.list.count()) throw EngineFault("list index out of range");
    return std::string(core_.list.name(index));
}

void FakeWindow::addItem(Of<Kind::ListBox> list, std::string_view text) {
    State& s = anyState(list);
    const std::optional<int> row = core_.list.add(text);
    if (row && s.selected && *s.selected >= *row) ++*s.selected;
}

void FakeWindow::setEnabled(Of<Kind::Timer> timer, bool enabled) {
    core_.switchTimer(timer, enabled);
}

void FakeWindow::messageBox(std::string_view message, platform::MessageIcon icon,
                            std::string_view title) {
    messageBoxes_.push_back({std::string(message), icon, std::string(title)});
}

void FakeWindow::end() {
    core_.end();
}

// --- The user --------------------------------------------------------------

bool FakeWindow::click(ControlId control) {
    const State& s = anyState(control);
    const ControlId container = form::containerOf(control);
    const bool shown = s.visible && (container == form::kForm || anyState(container).visible);
    if (!shown || !s.enabled)
        throw EngineFault("click on " + std::string(control.name()) + ", which is not shown");
    // The release goes to the core whatever the press did: a refused press
    // swallows its release there.
    const bool pressed = core_.press(control);
    if (!core_.release(control) || !pressed) return false;
    activate(control);
    return true;
}

// What a click or the space bar does to a control that has taken it: a
// check box toggles, and a check box or button reports its click.
void FakeWindow::activate(ControlId control) {
    const form::Kind kind = form::def(control).kind;
    const auto toggle = [&s = anyState(control), kind] {
        if (kind == form::Kind::CheckBox) s.value = s.value == 1 ? 0 : 1;
    };
    toggle();
    if (kind == form::Kind::CheckBox || kind == form::Kind::CommandButton)
        core_.click(control, toggle);  // a refused click is taken back
}

void FakeWindow::selectEntry(Of<Kind::ListBox> list, int index) {
    if (!click(list)) return;
    State& s = anyState(list);
    if (index < 0 || index >= core_.list.count()) throw EngineFault("no such entry");
    s.selected = index;
}

std::vector<std::string> FakeWindow::tabOrder() const {
    std::vector<std::string> names;
    for (const ControlId control : form::kTabOrder) {
        if (core_.canTakeFocus(control)) names.emplace_back(form::nameOf(control));
    }
    return names;
}

void FakeWindow::focusOn(ControlId control) {
    if (!core_.canTakeFocus(control))
        throw EngineFault(std::string(control.name()) + " cannot take the focus");
    moveFocus(control);
}

void FakeWindow::pressTab(bool shift) {
    moveFocus(core_.nextFocus(focus_, shift));
}

void FakeWindow::pressKey(char32_t key) {
    if (!focus_ || ended()) return;
    const ControlId control = *focus_;
    if (!core_.key(control) || !core_.character(control, static_cast<std::int16_t>(key))) return;
    State& s = anyState(control);
    switch (form::def(control).kind) {
        case form::Kind::TextBox: {
            if (key == 13 || key == 27) return;
            const std::size_t from = platform::byteOffset(s.caption, s.selStart);
            const std::size_t to = platform::byteOffset(s.caption, s.selStart + s.selLength);
            if (key == 8) {
                const std::size_t start = s.selLength > 0 || s.selStart == 0
                                              ? from
                                              : platform::byteOffset(s.caption, s.selStart - 1);
                s.caption.erase(start, to - start);
                s.selStart = s.selLength > 0 ? s.selStart : std::max(0, s.selStart - 1);
            } else if (key >= 32) {
                std::string typed;
                platform::appendUtf8(typed, key);
                s.caption.replace(from, to - from, typed);
                ++s.selStart;
            }
            s.selLength = 0;
            return;
        }
        case form::Kind::CheckBox:
        case form::Kind::CommandButton:
            if (key == 32) activate(control);
            return;
        default:
            return;  // Enter and Escape press no button: none is default or cancel
    }
}

void FakeWindow::type(std::string_view text) {
    // One key a character.
    while (!text.empty()) {
        const platform::Utf8Char c = platform::decodeUtf8(text);
        pressKey(c.code);
        text.remove_prefix(c.length);
    }
}

bool FakeWindow::tick(Of<Kind::Timer> timer) {
    if (!enabled(timer)) return false;
    core_.raise(timer, EventKind::Timer);
    return true;
}

// --- What a test looks at --------------------------------------------------

std::string FakeWindow::caption(ControlId control) const {
    return anyState(control).caption;
}
bool FakeWindow::visible(ControlId control) const {
    return anyState(control).visible;
}
bool FakeWindow::enabled(Of<Kind::Timer> timer) const {
    return core_.timerRunning(timer);
}
int FakeWindow::selStart(Of<Kind::TextBox> textBox) const {
    return anyState(textBox).selStart;
}
int FakeWindow::selLength(Of<Kind::TextBox> textBox) const {
    return anyState(textBox).selLength;
}

std::string FakeWindow::selectedText(Of<Kind::TextBox> textBox) const {
    const State& s = anyState(textBox);
    const std::size_t from = platform::byteOffset(s.caption, s.selStart);
    return s.caption.substr(from, platform::byteOffset(s.caption, s.selStart + s.selLength) - from);
}

std::vector<std::string> FakeWindow::entries(Of<Kind::ListBox> /*list*/) const {
    std::vector<std::string> names;
    for (int row = 0; row < core_.list.count(); ++row) names.emplace_back(core_.list.name(row));
    return names;
}

std::optional<int> FakeWindow::selectedIndex(Of<Kind::ListBox> list) const {
    return anyState(list).selected;
}

void FakeWindow::setValue(Of<Kind::CheckBox> checkBox, int value) {
    anyState(checkBox).value = value;
}

void FakeWindow::setText(Of<Kind::TextBox> textBox, std::string text) {
    State& s = anyState(textBox);
    s.caption = std::move(text);
    s.selStart = 0;
    s.selLength = 0;
}

}  // namespace varnsel::fake
