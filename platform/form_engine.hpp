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

    virtual void setCaption(ControlId label, std::string_view text) = 0;  // label
    virtual int value(ControlId checkBox) const = 0;                      // 0, 1 or 2
    virtual std::string text(ControlId textBox) const = 0;
    virtual void setVisible(ControlId control, bool visible) = 0;  // text box, image
    virtual void setSelStart(ControlId textBox, int start) = 0;    // in characters
    virtual void setSelLength(ControlId textBox, int length) = 0;
    virtual void setFocus(ControlId control) = 0;
    virtual int listCount(ControlId list) const = 0;
    virtual bool selected(ControlId list, int index) const = 0;
    virtual std::string list(ControlId list, int index) const = 0;
    virtual void addItem(ControlId list, std::string_view text) = 0;
    virtual void setEnabled(ControlId timer, bool enabled) = 0;

    // Modal; returns when the user has pressed OK.
    virtual void messageBox(std::string_view message, MessageIcon icon, std::string_view title) = 0;
    // Ends the program: the window goes, no further event is delivered, and
    // run() returns once the running handler has returned.
    virtual void end() = 0;
};

}  // namespace varnsel::platform
