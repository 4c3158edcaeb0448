#include "tests/fake/fake_engine.hpp"

#include <algorithm>

#include "platform/list_order.hpp"
#include "platform/utf8.hpp"
#include "platform/wtf8.hpp"

namespace varnsel::fake {
namespace {

using platform::EventKind;
using platform::Result;

const char* kPathNotFound = "The system cannot find the path specified.";
const char* kFileNotFound = "The system cannot find the file specified.";

}  // namespace

FakeEngine::FakeEngine() {
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const form::ControlDef& def = form::kControls[i];
        controls_[i] = {std::string(def.caption), def.value, def.visible, def.enabled, 0, 0, {}};
    }
}

// --- Engine plumbing -------------------------------------------------------

FakeEngine::State& FakeEngine::anyState(platform::ControlId control) {
    if (control.index < 0 || control.index >= static_cast<int>(form::kControlCount))
        throw EngineFault("no control " + std::to_string(control.index));
    return controls_[static_cast<std::size_t>(control.index)];
}

const FakeEngine::State& FakeEngine::anyState(platform::ControlId control) const {
    return const_cast<FakeEngine*>(this)->anyState(control);
}

FakeEngine::State& FakeEngine::state(platform::ControlId control, form::Kind kind) {
    platform::ofKind(control, kind);
    return anyState(control);
}

const FakeEngine::State& FakeEngine::state(platform::ControlId control, form::Kind kind) const {
    return const_cast<FakeEngine*>(this)->state(control, kind);
}

bool FakeEngine::canTakeFocus(platform::ControlId control) const {
    const State& s = anyState(control);
    if (!form::takesFocus(form::def(control).kind) || !s.visible || !s.enabled) return false;
    const platform::ControlId container = form::containerOf(control);
    return container == form::kForm || anyState(container).visible;
}

// The focus changes first; LostFocus and GotFocus follow as events of their own.
void FakeEngine::moveFocus(std::optional<platform::ControlId> to) {
    focus_ = to;
    if (to) core_.focusMovedTo(*to);
}

int FakeEngine::run(platform::FormHandler& form) {
    recorder_.engine = this;
    recorder_.form = &form;
    core_.attach(recorder_);
    core_.load([this] { core_.list.endCollecting(); });
    moveFocus(platform::nextInTabOrder(std::nullopt, false,
                                       [this](platform::ControlId c) { return canTakeFocus(c); }));
    return 0;
}

// --- Control members -------------------------------------------------------

void FakeEngine::setCaption(platform::ControlId label, std::string_view text) {
    state(label, form::Kind::Label).caption = std::string(text);
}

int FakeEngine::value(platform::ControlId checkBox) const {
    return state(checkBox, form::Kind::CheckBox).value;
}

std::string FakeEngine::text(platform::ControlId textBox) const {
    return state(textBox, form::Kind::TextBox).caption;
}

void FakeEngine::setVisible(platform::ControlId control, bool visible) {
    anyState(control).visible = visible;
    // A hidden control cannot keep the focus; it passes on in tab order.
    if (!visible && focus_ == control) {
        moveFocus(platform::nextInTabOrder(
            control, false, [this](platform::ControlId c) { return canTakeFocus(c); }));
    }
}

void FakeEngine::setSelStart(platform::ControlId textBox, int start) {
    State& s = state(textBox, form::Kind::TextBox);
    // As a text box does: the start is clamped and the selection emptied.
    s.selStart = std::clamp(start, 0, platform::characterCount(s.caption));
    s.selLength = 0;
}

void FakeEngine::setSelLength(platform::ControlId textBox, int length) {
    State& s = state(textBox, form::Kind::TextBox);
    s.selLength = std::clamp(length, 0, platform::characterCount(s.caption) - s.selStart);
}

void FakeEngine::setFocus(platform::ControlId control) {
    if (!canTakeFocus(control)) {
        throw EngineFault("SetFocus on " + std::string(form::nameOf(control)) +
                          ", which cannot take the focus");
    }
    moveFocus(control);
}

int FakeEngine::listCount(platform::ControlId list) const {
    platform::ofKind(list, form::Kind::ListBox);
    return core_.list.count();
}

bool FakeEngine::selected(platform::ControlId list, int index) const {
    const State& s = state(list, form::Kind::ListBox);
    if (index < 0 || index >= core_.list.count()) throw EngineFault("list index out of range");
    return s.selected == index;
}

std::string FakeEngine::list(platform::ControlId list, int index) const {
    platform::ofKind(list, form::Kind::ListBox);
    if (index < 0 || index >= core_.list.count()) throw EngineFault("list index out of range");
    return std::string(core_.list.name(index));
}

void FakeEngine::addItem(platform::ControlId list, std::string_view text) {
    State& s = state(list, form::Kind::ListBox);
    const std::optional<int> row = core_.list.add(text);
    if (row && s.selected && *s.selected >= *row) ++*s.selected;
}

void FakeEngine::setEnabled(platform::ControlId timer, bool enabled) {
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
    core_.end();
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

bool FakeEngine::click(Name control) {
    const State& s = anyState(control);
    const platform::ControlId container = form::containerOf(control);
    const bool shown = s.visible && (container == form::kForm || anyState(container).visible);
    if (!shown || !s.enabled)
        throw EngineFault("click on " + std::string(control.name()) + ", which is not shown");
    const form::Kind kind = form::def(control).kind;
    if (form::takesFocus(kind)) {
        moveFocus(control.id());
        if (focus_ != control.id() || ended()) return false;
    }
    press(control);
    return true;
}

// What a click or the space bar does to a control that has taken it.
void FakeEngine::press(platform::ControlId control) {
    const form::Kind kind = form::def(control).kind;
    State& s = anyState(control);
    if (kind == form::Kind::CheckBox) s.value = s.value == 1 ? 0 : 1;
    if (kind == form::Kind::CheckBox || kind == form::Kind::CommandButton)
        core_.raise(control, EventKind::Click);
}

void FakeEngine::selectEntry(Name list, int index) {
    if (!click(list)) return;
    State& s = state(list, form::Kind::ListBox);
    if (index < 0 || index >= core_.list.count()) throw EngineFault("no such entry");
    s.selected = index;
}

std::vector<std::string> FakeEngine::tabOrder() const {
    std::vector<std::string> names;
    for (const platform::ControlId control : form::kTabOrder) {
        if (canTakeFocus(control)) names.emplace_back(form::nameOf(control));
    }
    return names;
}

void FakeEngine::pressTab(bool shift) {
    moveFocus(platform::nextInTabOrder(focus_, shift,
                                       [this](platform::ControlId c) { return canTakeFocus(c); }));
}

void FakeEngine::pressKey(char32_t key) {
    if (!focus_ || ended()) return;
    const platform::ControlId control = *focus_;
    State& s = anyState(control);
    switch (form::def(control).kind) {
        case form::Kind::TextBox: {
            core_.raise(control, EventKind::KeyPress, static_cast<std::int16_t>(key));
            if (focus_ != control || key == 13 || key == 27) return;
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
            if (key == 32) press(control);
            return;
        default:
            return;  // Enter and Escape press no button: none is default or cancel
    }
}

void FakeEngine::type(std::string_view text) {
    // One key a character.
    while (!text.empty()) {
        const platform::Utf8Char c = platform::decodeUtf8(text);
        pressKey(c.code);
        text.remove_prefix(c.length);
    }
}

bool FakeEngine::tick(Name timer) {
    if (!state(timer, form::Kind::Timer).enabled) return false;
    core_.raise(timer, EventKind::Timer);
    return true;
}

// --- What a test looks at --------------------------------------------------

std::string FakeEngine::caption(Name control) const {
    return anyState(control).caption;
}
bool FakeEngine::visible(Name control) const {
    return anyState(control).visible;
}
bool FakeEngine::enabled(Name timer) const {
    return state(timer, form::Kind::Timer).enabled;
}
int FakeEngine::selStart(Name textBox) const {
    return state(textBox, form::Kind::TextBox).selStart;
}
int FakeEngine::selLength(Name textBox) const {
    return state(textBox, form::Kind::TextBox).selLength;
}

std::string FakeEngine::selectedText(Name textBox) const {
    const State& s = state(textBox, form::Kind::TextBox);
    const std::size_t from = platform::byteOffset(s.caption, s.selStart);
    return s.caption.substr(from, platform::byteOffset(s.caption, s.selStart + s.selLength) - from);
}

std::vector<std::string> FakeEngine::entries(Name list) const {
    platform::ofKind(list, form::Kind::ListBox);
    std::vector<std::string> names;
    for (int row = 0; row < core_.list.count(); ++row) names.emplace_back(core_.list.name(row));
    return names;
}

std::optional<int> FakeEngine::selectedIndex(Name list) const {
    return state(list, form::Kind::ListBox).selected;
}

void FakeEngine::setValue(Name checkBox, int value) {
    state(checkBox, form::Kind::CheckBox).value = value;
}

void FakeEngine::setText(Name textBox, std::string text) {
    State& s = state(textBox, form::Kind::TextBox);
    s.caption = std::move(text);
    s.selStart = 0;
    s.selLength = 0;
}

}  // namespace varnsel::fake
