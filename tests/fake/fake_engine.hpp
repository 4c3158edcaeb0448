// An in-memory form engine for the logic's tests: controls as plain values
// built from the window table, a focus model that raises GotFocus and
// LostFocus as a window does, message boxes recorded and answered at once,
// timers ticked by hand, a Windows-like directory tree, recorded program
// starts, and failures that a test can inject.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form/window_definition.hpp"
#include "platform/event_queue.hpp"
#include "platform/form_engine.hpp"

namespace varnsel::fake {

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
    void setCaption(platform::ControlName label, std::string_view text) override;
    int value(platform::ControlName checkBox) const override;
    std::string text(platform::ControlName textBox) const override;
    void setVisible(platform::ControlName control, bool visible) override;
    void setSelStart(platform::ControlName textBox, int start) override;
    void setSelLength(platform::ControlName textBox, int length) override;
    void setFocus(platform::ControlName control) override;
    int listCount(platform::ControlName list) const override;
    bool selected(platform::ControlName list, int index) const override;
    std::string list(platform::ControlName list, int index) const override;
    void addItem(platform::ControlName list, std::string_view text) override;
    void setEnabled(platform::ControlName timer, bool enabled) override;
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
    bool click(platform::ControlName control);
    // A click on a list entry selects it.
    void selectEntry(platform::ControlName list, int index);
    void pressTab(bool shift = false);
    // A character key typed into the focused control (13 Enter, 27 Escape,
    // 32 space, 8 backspace).
    void pressKey(char32_t key);
    void type(std::string_view text);
    // One tick of a timer; false when it is disabled and so does not tick.
    bool tick(platform::ControlName timer);

    // --- What a test looks at ---
    std::string caption(platform::ControlName control) const;
    bool visible(platform::ControlName control) const;
    bool enabled(platform::ControlName timer) const;
    int selStart(platform::ControlName textBox) const;
    int selLength(platform::ControlName textBox) const;
    std::string selectedText(platform::ControlName textBox) const;
    std::vector<std::string> entries(platform::ControlName list) const;
    std::optional<int> selectedIndex(platform::ControlName list) const;
    const std::string& focused() const { return focus_; }
    const std::vector<MessageBox>& messageBoxes() const { return messageBoxes_; }
    const std::vector<Start>& starts() const { return starts_; }
    const std::vector<DeliveredEvent>& delivered() const { return delivered_; }
    bool ended() const { return events_.ended(); }
    // The controls that Tab visits, in order, from the lowest tab position.
    std::vector<std::string> tabOrder() const;

    // --- Direct changes, as from outside the logic, raising nothing ---
    void setValue(platform::ControlName checkBox, int value);
    void setText(platform::ControlName textBox, std::string text);
    void setSeparator(char separator) { separator_ = separator; }
    void clearSelection(platform::ControlName list) {
        state(list, form::Kind::ListBox).selected.reset();
    }

private:
    struct State {
        const form::ControlDef* def = nullptr;
        std::string caption;  // or text, for the text box
        int value = 0;
        bool visible = true;
        bool enabled = true;
        int selStart = 0;
        int selLength = 0;
        std::vector<std::string> items;
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

    State& state(platform::ControlName name, form::Kind kind);
    const State& state(platform::ControlName name, form::Kind kind) const;
    State& anyState(platform::ControlName name);
    const State& anyState(platform::ControlName name) const;
    bool canTakeFocus(const State& s) const;
    void moveFocus(const std::string& to);
    void raise(std::string_view control, platform::EventKind kind, std::int16_t key = 0);
    void pump();
    std::string normalize(std::string_view path) const;
    std::string parentOf(const std::string& path) const;
    std::string nameOf(const std::string& path) const;
    void addNode(const std::string& path, bool directory, bool hidden, bool system);

    std::map<std::string, State, std::less<>> controls_;
    platform::FormHandler* form_ = nullptr;
    std::string focus_;
    // Writes each event down on its way to the window object.
    struct Recorder : platform::FormHandler {
        FakeEngine* engine = nullptr;
        void onEvent(platform::ControlName control, platform::EventKind kind,
                     std::int16_t key) override {
            engine->delivered_.push_back({std::string(control), kind});
            engine->form_->onEvent(control, kind, key);
        }
    };
    Recorder recorder_;
    platform::EventQueue events_;
    bool holding_ = false;  // events wait until both focus events are queued
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
