// An in-memory window for the logic's tests: controls as plain values built
// from the window table, a focus model, message boxes recorded and answered
// at once, and timers ticked by hand. The user's clicks and keys go through
// the engine core, as a real window's do, so the rule for what an input does
// is the shipped one.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "form/window_definition.hpp"
#include "platform/engine_core.hpp"
#include "platform/form_engine.hpp"
#include "tests/fake/fake_files.hpp"

namespace varnsel::form {
inline std::ostream& operator<<(std::ostream& out, ControlId control) {
    return out << control.name();
}
}  // namespace varnsel::form

namespace varnsel::fake {

using ControlId = form::ControlId;
using form::Kind;
using form::Of;

struct MessageBox {
    std::string message;
    platform::MessageIcon icon;
    std::string title;
    bool operator==(const MessageBox&) const = default;
};

struct DeliveredEvent {
    std::string control;
    platform::EventKind kind;
    bool operator==(const DeliveredEvent&) const = default;
};

class FakeWindow : public platform::FormEngine {
public:
    FakeWindow();

    // --- FormEngine ---
    int run(platform::FormHandler& form) override;
    void setCaption(Of<Kind::Label> label, std::string_view text) override;
    int value(Of<Kind::CheckBox> checkBox) const override;
    std::string text(Of<Kind::TextBox> textBox) const override;
    void setVisible(Of<Kind::TextBox, Kind::Image> control, bool visible) override;
    void setSelStart(Of<Kind::TextBox> textBox, int start) override;
    void setSelLength(Of<Kind::TextBox> textBox, int length) override;
    void setFocus(Of<Kind::TextBox> control) override;
    int listCount(Of<Kind::ListBox> list) const override;
    bool selected(Of<Kind::ListBox> list, int index) const override;
    std::string list(Of<Kind::ListBox> list, int index) const override;
    void addItem(Of<Kind::ListBox> list, std::string_view text) override;
    void setEnabled(Of<Kind::Timer> timer, bool enabled) override;
    void messageBox(std::string_view message, platform::MessageIcon icon,
                    std::string_view title) override;
    void end() override;

    // --- The user ---
    // A mouse click: focus moves to the control first where it can take it;
    // if the focus did not stay there, the click has no further effect.
    // Returns whether the click took effect.
    bool click(ControlId control);
    // An assistive technology's press or toggle: the control's own click,
    // made without the mouse and away from the focus.
    void assist(ControlId control) { activate(control); }
    // A click on a list entry selects it.
    void selectEntry(Of<Kind::ListBox> list, int index);
    void pressTab(bool shift = false);
    // The focus moved to a control without pressing it, as Tab moves it.
    void focusOn(ControlId control);
    // A character key typed into the focused control (13 Enter, 27 Escape,
    // 32 space, 8 backspace).
    void pressKey(char32_t key);
    void type(std::string_view text);
    // One tick of a timer; false when it is disabled and so does not tick.
    bool tick(Of<Kind::Timer> timer);

    // --- What a test looks at ---
    std::string caption(ControlId control) const;
    bool visible(ControlId control) const;
    bool enabled(Of<Kind::Timer> timer) const;
    int selStart(Of<Kind::TextBox> textBox) const;
    int selLength(Of<Kind::TextBox> textBox) const;
    std::string selectedText(Of<Kind::TextBox> textBox) const;
    std::vector<std::string> entries(Of<Kind::ListBox> list) const;
    std::optional<int> selectedIndex(Of<Kind::ListBox> list) const;
    std::string focused() const { return focus_ ? std::string(form::nameOf(*focus_)) : ""; }
    const std::vector<MessageBox>& messageBoxes() const { return messageBoxes_; }
    const std::vector<DeliveredEvent>& delivered() const { return delivered_; }
    bool ended() const { return core_.ended(); }
    // The controls that Tab visits, in order, from the lowest tab position.
    std::vector<std::string> tabOrder() const;

    // --- Direct changes, as from outside the logic, raising nothing ---
    void setValue(Of<Kind::CheckBox> checkBox, int value);
    void setText(Of<Kind::TextBox> textBox, std::string text);
    void clearSelection(Of<Kind::ListBox> list) { anyState(list).selected.reset(); }

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
    State& anyState(ControlId control);
    const State& anyState(ControlId control) const;
    void activate(ControlId control);
    void moveFocus(std::optional<ControlId> to);
    std::array<State, form::kControlCount> controls_;
    std::optional<ControlId> focus_;
    // Writes each event down on its way to the window object.
    struct Recorder : platform::FormHandler {
        FakeWindow* engine = nullptr;
        platform::FormHandler* form = nullptr;
        void onEvent(ControlId control, platform::EventKind kind, std::int16_t key) override {
            engine->delivered_.push_back({std::string(form::nameOf(control)), kind});
            form->onEvent(control, kind, key);
        }
    };
    Recorder recorder_;
    // Without a loop, the next turn is at once.
    platform::EngineCore core_{{
        .schedulePump = [this] { core_.pump(); },
        .hasFocus = [this](ControlId control) { return focus_ == control; },
        .giveFocus = [this](ControlId control) { moveFocus(control); },
        .shown =
            [this](ControlId control) {
                const State& s = anyState(control);
                return s.visible && s.enabled;
            },
    }};
    std::vector<DeliveredEvent> delivered_;
    std::vector<MessageBox> messageBoxes_;
};

}  // namespace varnsel::fake
