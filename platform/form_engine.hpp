// The window as the launcher's logic sees it: the controls' members, the
// events it delivers, the message box and the program's end. Nothing
// toolkit-specific may appear here; each backend (Qt, Win32, the test fake)
// implements it. The file system and processes are the other port, in
// platform/runtime.hpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form/window_definition.hpp"

namespace varnsel::platform {

using form::ControlId;
using form::EventKind;
using form::Kind;
using form::Of;

// What the window object implements: the engine calls it once per event, one
// event at a time, never while another delivery is still running.
class FormHandler {
public:
    virtual ~FormHandler() = default;
    // `control` is the window itself for Load. `keyAscii` is the character
    // code for KeyPress and 0 otherwise.
    virtual void onEvent(ControlId control, EventKind kind, std::int16_t keyAscii) = 0;
};

// The icon a message box shows, by the style number that chooses it.
enum class MessageIcon : int { Critical = 16, Exclamation = 48 };

class FormEngine {
public:
    virtual ~FormEngine() = default;

    // Builds the window from its definition, raises Load, shows the window and
    // delivers events to `form` until the program ends; returns the exit code.
    virtual int run(FormHandler& form) = 0;

    virtual void setCaption(Of<Kind::Label> label, std::string_view text) = 0;
    virtual int value(Of<Kind::CheckBox> checkBox) const = 0;  // 0, 1 or 2
    virtual std::string text(Of<Kind::TextBox> textBox) const = 0;
    virtual void setVisible(Of<Kind::TextBox, Kind::Image> control, bool visible) = 0;
    virtual void setSelStart(Of<Kind::TextBox> textBox, int start) = 0;  // in characters
    virtual void setSelLength(Of<Kind::TextBox> textBox, int length) = 0;
    virtual void setFocus(Of<Kind::TextBox> textBox) = 0;
    virtual int listCount(Of<Kind::ListBox> list) const = 0;
    virtual bool selected(Of<Kind::ListBox> list, int index) const = 0;
    virtual std::string list(Of<Kind::ListBox> list, int index) const = 0;
    virtual void addItem(Of<Kind::ListBox> list, std::string_view text) = 0;
    virtual void setEnabled(Of<Kind::Timer> timer, bool enabled) = 0;

    // Modal; returns when the user has pressed OK.
    virtual void messageBox(std::string_view message, MessageIcon icon, std::string_view title) = 0;
    // Ends the program: the window goes, no further event is delivered, and
    // run() returns once the running handler has returned.
    virtual void end() = 0;
};

}  // namespace varnsel::platform
