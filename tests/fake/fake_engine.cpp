#include "tests/fake/fake_engine.hpp"

#include <algorithm>

#include "platform/list_order.hpp"
#include "platform/text.hpp"
#include "platform/wtf8.hpp"

namespace varnsel::fake {
namespace {

using platform::EventKind;
using platform::Result;

// Byte offset of the character at `index` in UTF-8 text (clamped to its end).
std::size_t byteOffset(const std::string& text, int index) {
    std::size_t at = 0;
    for (int i = 0; i < index && at < text.size(); ++i) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return at;
}

const char* kPathNotFound = "The system cannot find the path specified.";
const char* kFileNotFound = "The system cannot find the file specified.";

}  // namespace

FakeEngine::FakeEngine() {
    for (const form::ControlDef& def : form::kControls) {
        State s;
        s.def = &def;
        s.caption = std::string(def.caption);
        s.value = def.value;
        s.visible = def.visible;
        s.enabled = def.enabled;
        controls_.emplace(std::string(def.name), std::move(s));
    }
}

// --- Engine plumbing -------------------------------------------------------

FakeEngine::State& FakeEngine::anyState(platform::ControlName name) {
    const auto it = controls_.find(name);
    if (it == controls_.end()) throw EngineFault("no control named " + std::string(name));
    return it->second;
}

const FakeEngine::State& FakeEngine::anyState(platform::ControlName name) const {
    return const_cast<FakeEngine*>(this)->anyState(name);
}

FakeEngine::State& FakeEngine::state(platform::ControlName name, form::Kind kind) {
    State& s = anyState(name);
    if (s.def->kind != kind) throw EngineFault(std::string(name) + " is not of that kind");
    return s;
}

const FakeEngine::State& FakeEngine::state(platform::ControlName name, form::Kind kind) const {
    return const_cast<FakeEngine*>(this)->state(name, kind);
}

bool FakeEngine::canTakeFocus(const State& s) const {
    if (!form::takesFocus(s.def->kind) || !s.visible || !s.enabled) return false;
    return s.def->container.empty() || anyState(s.def->container).visible;
}

void FakeEngine::raise(std::string_view control, EventKind kind, std::int16_t key) {
    if (control.empty() || !form::delivers(control, kind)) return;
    if (events_.add(control, kind, key)) pump();
}

// Events raised during a delivery wait until it has finished.
void FakeEngine::pump() {
    if (form_ == nullptr || holding_) return;
    recorder_.engine = this;
    events_.deliver(recorder_);
}

// The focus changes first; LostFocus and GotFocus follow as events of their own.
void FakeEngine::moveFocus(const std::string& to) {
    if (to == focus_) return;
    const std::string from = focus_;
    focus_ = to;
    const bool wasHolding = holding_;
    holding_ = true;  // queue both before either runs
    raise(from, EventKind::LostFocus);
    raise(to, EventKind::GotFocus);
    holding_ = wasHolding;
    pump();
}

int FakeEngine::run(platform::FormHandler& form) {
    form_ = &form;
    raise(form::kWindow.name, EventKind::Load);
    const auto order = tabOrder();
    if (!order.empty()) moveFocus(order.front());
    return 0;
}

// --- Control members -------------------------------------------------------

void FakeEngine::setCaption(platform::ControlName label, std::string_view text) {
    state(label, form::Kind::Label).caption = std::string(text);
}

int FakeEngine::value(platform::ControlName checkBox) const {
    return state(checkBox, form::Kind::CheckBox).value;
}

std::string FakeEngine::text(platform::ControlName textBox) const {
    return state(textBox, form::Kind::TextBox).caption;
}

void FakeEngine::setVisible(platform::ControlName control, bool visible) {
    State& s = anyState(control);
    s.visible = visible;
    // A hidden control cannot keep the focus; it passes on in tab order.
    if (!visible && focus_ == control) {
        const auto order = tabOrder();
        const auto next = std::find_if(order.begin(), order.end(), [&](const std::string& n) {
            return anyState(n).def->tabIndex > s.def->tabIndex;
        });
        moveFocus(next != order.end() ? *next : order.empty() ? std::string() : order.front());
    }
}

void FakeEngine::setSelStart(platform::ControlName textBox, int start) {
    State& s = state(textBox, form::Kind::TextBox);
    // As a text box does: the start is clamped and the selection emptied.
    s.selStart = std::clamp(start, 0, platform::characterCount(s.caption));
    s.selLength = 0;
}

void FakeEngine::setSelLength(platform::ControlName textBox, int length) {
    State& s = state(textBox, form::Kind::TextBox);
    s.selLength = std::clamp(length, 0, platform::characterCount(s.caption) - s.selStart);
}

void FakeEngine::setFocus(platform::ControlName control) {
    const State& s = anyState(control);
    if (!canTakeFocus(s))
        throw EngineFault("SetFocus on " + std::string(control) + ", which cannot take the focus");
    moveFocus(std::string(control));
}

int FakeEngine::listCount(platform::ControlName list) const {
    return static_cast<int>(state(list, form::Kind::ListBox).items.size());
}

bool FakeEngine::selected(platform::ControlName list, int index) const {
    const State& s = state(list, form::Kind::ListBox);
    if (index < 0 || index >= static_cast<int>(s.items.size()))
        throw EngineFault("list index out of range");
    return s.selected == index;
}

std::string FakeEngine::list(platform::ControlName list, int index) const {
    const State& s = state(list, form::Kind::ListBox);
    if (index < 0 || index >= static_cast<int>(s.items.size()))
        throw EngineFault("list index out of range");
    return s.items[static_cast<std::size_t>(index)];
}

void FakeEngine::addItem(platform::ControlName list, std::string_view text) {
    State& s = state(list, form::Kind::ListBox);
    const auto at = std::upper_bound(
        s.items.begin(), s.items.end(), text,
        [](std::string_view a, const std::string& b) { return platform::listsBefore(a, b); });
    const int index = static_cast<int>(at - s.items.begin());
    s.items.insert(at, std::string(text));
    if (s.selected && *s.selected >= index) ++*s.selected;
}

void FakeEngine::setEnabled(platform::ControlName timer, bool enabled) {
    state(timer, form::Kind::Timer).enabled = enabled;
}

// --- Run-time operations ---------------------------------------------------

Result<std::string> FakeEngine::currentDirectory() {
    if (currentDirectoryFailure_) return Result<std::string>::failure(*currentDirectoryFailure_);
    return Result<std::string>::ok(currentDirectory_);
}

Result<platform::Done> FakeEngine::enterDirectory(std::string_view path) {
    const auto node = nodes_.find(normalize(path));
    if (node == nodes_.end() || !node->second.directory || node->second.vanished)
        return Result<platform::Done>::failure(kPathNotFound);
    currentDirectory_ = normalize(path);
    return Result<platform::Done>::ok({});
}

Result<std::string> FakeEngine::firstEntry(std::string_view pattern, int kinds) {
    if (pattern.empty() || pattern.back() != separator_) {
        throw EngineFault("only patterns that end in the separator are supported");
    }
    enumeration_.clear();
    enumerationAt_ = 0;
    enumerationFailure_.reset();
    const std::string directory = normalize(pattern);
    const auto node = nodes_.find(directory);
    if (node == nodes_.end() || !node->second.directory) {
        return Result<std::string>::failure(kPathNotFound);
    }
    if (parentOf(directory) != directory) enumeration_ = {".", ".."};
    for (const std::string& name : node->second.children) {
        const Node& child = nodes_.at(
            directory + (directory.back() == separator_ ? "" : std::string(1, separator_)) + name);
        if (child.hidden || child.system) continue;
        if (child.directory && (kinds & platform::kIncludeDirectories) == 0) continue;
        enumeration_.push_back(name);
    }
    if (const auto failure = enumerationFailures_.find(directory);
        failure != enumerationFailures_.end()) {
        enumerationFailure_ = failure->second;
    }
    return nextEntry();
}

Result<std::string> FakeEngine::nextEntry() {
    if (enumerationFailure_ && static_cast<int>(enumerationAt_) == enumerationFailure_->after) {
        return Result<std::string>::failure(enumerationFailure_->reason);
    }
    if (enumerationAt_ >= enumeration_.size()) return Result<std::string>::ok("");
    return Result<std::string>::ok(enumeration_[enumerationAt_++]);
}

Result<int> FakeEngine::attributes(std::string_view path) {
    const auto node = nodes_.find(normalize(path));
    if (node == nodes_.end() || node->second.vanished) return Result<int>::failure(kFileNotFound);
    const Node& n = node->second;
    return Result<int>::ok((n.directory ? 16 : 32) | (n.hidden ? 2 : 0) | (n.system ? 4 : 0));
}

void FakeEngine::messageBox(std::string_view message, platform::MessageIcon icon,
                            std::string_view title) {
    messageBoxes_.push_back({std::string(message), icon, std::string(title)});
}

Result<platform::Done> FakeEngine::startProgram(std::string_view program,
                                                std::string_view commandLine, int windowStyle) {
    if (startFailure_) return Result<platform::Done>::failure(*startFailure_);
    const auto node = nodes_.find(normalize(program));
    if (node == nodes_.end() || node->second.directory || node->second.vanished) {
        return Result<platform::Done>::failure(kFileNotFound);
    }
    starts_.push_back(
        {std::string(program), std::string(commandLine), windowStyle, currentDirectory_});
    return Result<platform::Done>::ok({});
}

void FakeEngine::end() {
    events_.end();
}

// --- The directory tree ----------------------------------------------------

// Runs of separators fold into one, as the system reads them; no trailing
// separator except at a root ("C:\" or "/").
std::string FakeEngine::normalize(std::string_view path) const {
    std::string out;
    for (char c : path) {
        if (c == separator_ && !out.empty() && out.back() == separator_) continue;
        out += c;
    }
    if (out.size() > 1 && out.back() == separator_) out.pop_back();
    if (separator_ == '\\' && out.size() == 2 && out[1] == ':') out += '\\';
    return out;
}

std::string FakeEngine::parentOf(const std::string& path) const {
    const std::size_t at = path.rfind(separator_);
    if (at == std::string::npos || at + 1 == path.size()) return path;  // a root
    return normalize(path.substr(0, at + 1));
}

std::string FakeEngine::nameOf(const std::string& path) const {
    return path.substr(path.rfind(separator_) + 1);
}

void FakeEngine::addNode(const std::string& path, bool directory, bool hidden, bool system) {
    const std::string full = normalize(path);
    const std::string parent = parentOf(full);
    if (parent != full) {
        if (!nodes_.count(parent)) addNode(parent, true, false, false);
        if (!nodes_.count(full)) nodes_[parent].children.push_back(nameOf(full));
    }
    Node& node = nodes_[full];
    node.directory = directory;
    node.hidden = hidden;
    node.system = system;
}

void FakeEngine::addDirectory(const std::string& path, bool hidden, bool system) {
    addNode(path, true, hidden, system);
}

void FakeEngine::addFile(const std::string& path, bool hidden, bool system) {
    addNode(path, false, hidden, system);
}

void FakeEngine::vanish(const std::string& path) {
    nodes_.at(normalize(path)).vanished = true;
}

void FakeEngine::failEnumeration(const std::string& directory, int after, std::string reason) {
    enumerationFailures_[normalize(directory)] = {after, std::move(reason)};
}

// --- The user --------------------------------------------------------------

bool FakeEngine::click(platform::ControlName control) {
    State& s = anyState(control);
    const bool shown =
        s.visible && (s.def->container.empty() || anyState(s.def->container).visible);
    if (!shown || !s.enabled)
        throw EngineFault("click on " + std::string(control) + ", which is not shown");
    if (form::takesFocus(s.def->kind)) {
        moveFocus(std::string(control));
        if (focus_ != control || ended()) return false;
    }
    if (s.def->kind == form::Kind::CheckBox) s.value = s.value == 1 ? 0 : 1;
    if (s.def->kind == form::Kind::CheckBox || s.def->kind == form::Kind::CommandButton) {
        raise(control, EventKind::Click);
    }
    return true;
}

void FakeEngine::selectEntry(platform::ControlName list, int index) {
    if (!click(list)) return;
    State& s = state(list, form::Kind::ListBox);
    if (index < 0 || index >= static_cast<int>(s.items.size())) throw EngineFault("no such entry");
    s.selected = index;
}

std::vector<std::string> FakeEngine::tabOrder() const {
    std::vector<const State*> order;
    for (const auto& [name, s] : controls_) {
        if (s.def->tabIndex != form::kNoTabIndex && canTakeFocus(s)) order.push_back(&s);
    }
    std::sort(order.begin(), order.end(),
              [](const State* a, const State* b) { return a->def->tabIndex < b->def->tabIndex; });
    std::vector<std::string> names;
    for (const State* s : order) names.emplace_back(s->def->name);
    return names;
}

void FakeEngine::pressTab(bool shift) {
    const auto order = tabOrder();
    if (order.empty()) return;
    auto at = std::find(order.begin(), order.end(), focus_);
    if (at == order.end()) {
        moveFocus(order.front());
        return;
    }
    const std::size_t i = static_cast<std::size_t>(at - order.begin());
    const std::size_t n = order.size();
    moveFocus(order[shift ? (i + n - 1) % n : (i + 1) % n]);
}

void FakeEngine::pressKey(char32_t key) {
    if (focus_.empty() || ended()) return;
    State& s = anyState(focus_);
    const std::string control = focus_;
    switch (s.def->kind) {
        case form::Kind::TextBox: {
            raise(control, EventKind::KeyPress, static_cast<std::int16_t>(key));
            if (focus_ != control || key == 13 || key == 27) return;
            const std::size_t from = byteOffset(s.caption, s.selStart);
            const std::size_t to = byteOffset(s.caption, s.selStart + s.selLength);
            if (key == 8) {
                const std::size_t start = s.selLength > 0 || s.selStart == 0
                                              ? from
                                              : byteOffset(s.caption, s.selStart - 1);
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
            if (key == 32) {
                s.value = s.value == 1 ? 0 : 1;
                raise(control, EventKind::Click);
            }
            return;
        case form::Kind::CommandButton:
            if (key == 32) raise(control, EventKind::Click);
            return;
        default:
            return;  // Enter and Escape press no button: none is default or cancel
    }
}

void FakeEngine::type(std::string_view text) {
    // One key a character: UTF-8 decoded (the text is a test's own, valid).
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t key = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            key = (key << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        }
        pressKey(key);
        at += length;
    }
}

bool FakeEngine::tick(platform::ControlName timer) {
    if (!state(timer, form::Kind::Timer).enabled) return false;
    raise(timer, EventKind::Timer);
    return true;
}

// --- What a test looks at --------------------------------------------------

std::string FakeEngine::caption(platform::ControlName control) const {
    return anyState(control).caption;
}
bool FakeEngine::visible(platform::ControlName control) const {
    return anyState(control).visible;
}
bool FakeEngine::enabled(platform::ControlName timer) const {
    return state(timer, form::Kind::Timer).enabled;
}
int FakeEngine::selStart(platform::ControlName textBox) const {
    return state(textBox, form::Kind::TextBox).selStart;
}
int FakeEngine::selLength(platform::ControlName textBox) const {
    return state(textBox, form::Kind::TextBox).selLength;
}

std::string FakeEngine::selectedText(platform::ControlName textBox) const {
    const State& s = state(textBox, form::Kind::TextBox);
    const std::size_t from = byteOffset(s.caption, s.selStart);
    return s.caption.substr(from, byteOffset(s.caption, s.selStart + s.selLength) - from);
}

std::vector<std::string> FakeEngine::entries(platform::ControlName list) const {
    return state(list, form::Kind::ListBox).items;
}

std::optional<int> FakeEngine::selectedIndex(platform::ControlName list) const {
    return state(list, form::Kind::ListBox).selected;
}

void FakeEngine::setValue(platform::ControlName checkBox, int value) {
    state(checkBox, form::Kind::CheckBox).value = value;
}

void FakeEngine::setText(platform::ControlName textBox, std::string text) {
    State& s = state(textBox, form::Kind::TextBox);
    s.caption = std::move(text);
    s.selStart = 0;
    s.selLength = 0;
}

}  // namespace varnsel::fake
