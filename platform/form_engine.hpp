// The form engine as the launcher's logic sees it: the controls' members, the
// events it delivers, and the run-time operations. Nothing toolkit-specific
// may appear here; each backend (Qt, Win32, the test fake) implements it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace varnsel::platform {

// A control, by its row in the window table. The logic never makes one from a
// name at run time: its handles are looked up when the program is compiled.
struct ControlId {
    int index;
    friend constexpr bool operator==(ControlId, ControlId) = default;
};

enum class EventKind { Load, Click, GotFocus, LostFocus, KeyPress, Timer };

// What the window object implements: the engine calls it once per event, one
// event at a time, never while another delivery is still running.
class FormHandler {
public:
    virtual ~FormHandler() = default;
    // `control` is the window itself for Load. `keyAscii` is the character
    // code for KeyPress and 0 otherwise.
    virtual void onEvent(ControlId control, EventKind kind, std::int16_t keyAscii) = 0;
};

// The outcome of a run-time operation the user's surroundings can make fail
// (a missing directory, a refused start): the value, or the system's reason.
template <class T>
class Result {
public:
    static Result ok(T value) { return Result(std::move(value), {}); }
    static Result failure(std::string reason) { return Result(std::nullopt, std::move(reason)); }

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& reason() const { return reason_; }

private:
    Result(std::optional<T> value, std::string reason)
        : value_(std::move(value)), reason_(std::move(reason)) {}
    std::optional<T> value_;
    std::string reason_;
};

struct Done {};

// The icon a message box shows, by the style number that chooses it.
enum class MessageIcon : int { Critical = 16, Exclamation = 48 };
// The directory bit of a file's attributes.
inline constexpr int kDirectoryAttribute = 16;
// The enumeration mask that adds directories to the ordinary entries.
inline constexpr int kIncludeDirectories = 16;
// Window style for a started program: a normal window with the focus.
inline constexpr int kNormalWindowWithFocus = 1;

class FormEngine {
public:
    virtual ~FormEngine() = default;

    // Builds the window from its definition, raises Load, shows the window and
    // delivers events to `form` until the program ends; returns the exit code.
    virtual int run(FormHandler& form) = 0;

    // --- Control members --------------------------------------------------
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

    // --- Run-time operations ----------------------------------------------
    // "\" on Windows, "/" elsewhere.
    virtual char pathSeparator() const = 0;
    // No trailing separator except at a root.
    virtual Result<std::string> currentDirectory() = 0;
    // Makes `path` the working directory.
    virtual Result<Done> enterDirectory(std::string_view path) = 0;
    // Starts an enumeration; a pattern ending in the separator matches every
    // entry of that directory. "" when there is no (further) entry.
    virtual Result<std::string> firstEntry(std::string_view pattern, int kinds) = 0;
    // The next entry of the running enumeration.
    virtual Result<std::string> nextEntry() = 0;
    virtual Result<int> attributes(std::string_view path) = 0;
    // Modal; returns when the user has pressed OK.
    virtual void messageBox(std::string_view message, MessageIcon icon, std::string_view title) = 0;
    // Starts exactly `program` (no search, no shell) with `commandLine`, whose
    // front is that program, in the working directory; does not wait.
    virtual Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                                      int windowStyle) = 0;
    // Ends the program: the window goes, no further event is delivered, and
    // run() returns once the running handler has returned.
    virtual void end() = 0;
};

}  // namespace varnsel::platform
