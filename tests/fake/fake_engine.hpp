// An in-memory form engine for the logic's tests: controls as plain values
// built from the window table, a focus model that raises GotFocus and
// LostFocus as a window does, message boxes recorded and answered at once,
// timers ticked by hand, a Windows-like directory tree, recorded program
// starts, and failures that a test can inject.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form/window_definition.hpp"
#include "platform/engine_core.hpp"
#include "platform/form_engine.hpp"

namespace varnsel::form {
inline std::ostream& operator<<(std::ostream& out, Name control) {
    return out << control.name();
}
}  // namespace varnsel::form

namespace varnsel::fake {

using Name = form::Name;

struct MessageBox {
    std::string message;
    platform::MessageIcon icon;
    std::string title;
    bool operator==(const MessageBox&) const = default;
};

struct Start {
    std::string program;
    std::string commandLine;
    int windowStyle;
    std::string workingDirectory;
};

struct DeliveredEvent {
    std::string control;
    platform::EventKind kind;
    bool operator==(const DeliveredEvent&) const = default;
};

// A misuse of the engine that a real one would refuse (focus to a hidden
// control, a click on one, an unknown name): a fault in the code under test.
struct EngineFault : std::logic_error {
    using std::logic_error::logic_error;
};

class FakeEngine : public platform::FormEngine {
public:
    FakeEngine();

    // --- FormEngine ---
    int run(platform::FormHandler& form) override;
    void setCaption(platform::ControlId label, std::string_view text) override;
    int value(platform::ControlId checkBox) const override;
    std::string text(platform::ControlId textBox) const override;
    void setVisible(platform::ControlId control, bool visible) override;
    void setSelStart(platform::ControlId textBox, int start) override;
    void setSelLength(platform::ControlId textBox, int length) override;
    void setFocus(platform::ControlId control) override;
    int listCount(platform::ControlId list) const override;
    bool selected(platform::ControlId list, int index) const override;
    std::string list(platform::ControlId list, int index) const override;
    void addItem(platform::ControlId list, std::string_view text) override;
    void setEnabled(platform::ControlId timer, bool enabled) override;
    // The same members as a test calls them, by name.
    int value(Name checkBox) const { return value(checkBox.id()); }
    std::string text(Name textBox) const { return text(textBox.id()); }
    void setFocus(Name control) { setFocus(control.id()); }
    std::string list(Name list, int index) const { return this->list(list.id(), index); }
    char pathSeparator() const override { return separator_; }
    platform::Result<std::string> currentDirectory() override;
    platform::Result<platform::Done> enterDirectory(std::string_view path) override;
    platform::Result<std::string> firstEntry(std::string_view pattern, int kinds) override;
    platform::Result<std::string> nextEntry() override;
    platform::Result<int> attributes(std::string_view path) override;
    void messageBox(std::string_view message, platform::MessageIcon icon,
                    std::string_view title) override;
    platform::Result<platform::Done> startProgram(std::string_view program,
                                                  std::string_view commandLine,
                                                  int windowStyle) override;
    void end() override;

    // --- The directory tree (paths with "\", drive roots like "C:\") ---
    void setCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
    void addDirectory(const std::string& path, bool hidden = false, bool system = false);
    void addFile(const std::string& path, bool hidden = false, bool system = false);
    // The entry stays in its directory's listing but has no attributes any
    // more, as if removed between the enumeration and the attribute read.
    void vanish(const std::string& path);

    // --- Injected failures ---
    void failCurrentDirectory(std::string reason) { currentDirectoryFailure_ = std::move(reason); }
    // The enumeration of `directory` fails after returning `after` names.
    void failEnumeration(const std::string& directory, int after, std::string reason);
    void failStarts(std::string reason) { startFailure_ = std::move(reason); }

    // --- The user ---
    // A mouse click: focus moves to the control first where it can take it;
    // if the focus did not stay there, the click has no further effect.
    // Returns whether the click took effect.
    bool click(Name control);
    // A click on a list entry selects it.
    void selectEntry(Name list, int index);
    void pressTab(bool shift = false);
    // A character key typed into the focused control (13 Enter, 27 Escape,
    // 32 space, 8 backspace).
    void pressKey(char32_t key);
    void type(std::string_view text);
    // One tick of a timer; false when it is disabled and so does not tick.
    bool tick(Name timer);

    // --- What a test looks at ---
    std::string caption(Name control) const;
    bool visible(Name control) const;
    bool enabled(Name timer) const;
    int selStart(Name textBox) const;
    int selLength(Name textBox) const;
    std::string selectedText(Name textBox) const;
    std::vector<std::string> entries(Name list) const;
    std::optional<int> selectedIndex(Name list) const;
    std::string focused() const { return focus_ ? std::string(form::nameOf(*focus_)) : ""; }
    const std::vector<MessageBox>& messageBoxes() const { return messageBoxes_; }
    const std::vector<Start>& starts() const { return starts_; }
    const std::vector<DeliveredEvent>& delivered() const { return delivered_; }
    bool ended() const { return core_.ended(); }
    // The controls that Tab visits, in order, from the lowest tab position.
    std::vector<std::string> tabOrder() const;

    // --- Direct changes, as from outside the logic, raising nothing ---
    void setValue(Name checkBox, int value);
    void setText(Name textBox, std::string text);
    void setSeparator(char separator) { separator_ = separator; }
    void clearSelection(Name list) { state(list, form::Kind::ListBox).selected.reset(); }

private:
    struct State {
        std::string caption;  // or text, for the text box
        int value = 0;
        bool visible = true;
        bool enabled = true;
        int selStart = 0;
        int selLength = 0;
        std::optional<int> selected;
    };
    struct Node {
        bool directory = false;
        bool hidden = false;
        bool system = false;
        bool vanished = false;
        std::vector<std::string> children;  // bare names, in creation order
    };
    struct EnumerationFailure {
        int after;
        std::string reason;
    };

    State& state(platform::ControlId control, form::Kind kind);
    const State& state(platform::ControlId control, form::Kind kind) const;
    State& anyState(platform::ControlId control);
    const State& anyState(platform::ControlId control) const;
    bool canTakeFocus(platform::ControlId control) const;
    void press(platform::ControlId control);
    void moveFocus(std::optional<platform::ControlId> to);
    std::string normalize(std::string_view path) const;
    std::string parentOf(const std::string& path) const;
    std::string nameOf(const std::string& path) const;
    void addNode(const std::string& path, bool directory, bool hidden, bool system);

    std::array<State, form::kControlCount> controls_;
    std::optional<platform::ControlId> focus_;
    // Writes each event down on its way to the window object.
    struct Recorder : platform::FormHandler {
        FakeEngine* engine = nullptr;
        platform::FormHandler* form = nullptr;
        void onEvent(platform::ControlId control, platform::EventKind kind,
                     std::int16_t key) override {
            engine->delivered_.push_back({std::string(form::nameOf(control)), kind});
            form->onEvent(control, kind, key);
        }
    };
    Recorder recorder_;
    platform::EngineCore core_{[this] { core_.pump(); }};
    std::vector<DeliveredEvent> delivered_;
    std::vector<MessageBox> messageBoxes_;
    std::vector<Start> starts_;

    char separator_ = '\\';
    std::string currentDirectory_ = "C:\\";
    std::optional<std::string> currentDirectoryFailure_;
    std::optional<std::string> startFailure_;
    std::map<std::string, Node> nodes_;
    std::map<std::string, EnumerationFailure> enumerationFailures_;
    std::vector<std::string> enumeration_;
    std::size_t enumerationAt_ = 0;
    std::optional<EnumerationFailure> enumerationFailure_;
};

}  // namespace varnsel::fake
