// Typed views of the window's controls, so that a handler reads like the
// behaviour it implements (lblDir.Caption(...), txtFrameSkip.SetFocus()).
// Each offers only the members the logic uses of that kind of control.
#pragma once

#include "platform/form_engine.hpp"

namespace varnsel::platform {

class Control {
public:
    Control(FormEngine& engine, ControlName name) : engine_(engine), name_(name) {}
    ControlName name() const { return name_; }

protected:
    FormEngine& engine_;
    ControlName name_;
};

class Label : public Control {
public:
    using Control::Control;
    void Caption(std::string_view text) { engine_.setCaption(name_, text); }
};

class CheckBox : public Control {
public:
    using Control::Control;
    int Value() const { return engine_.value(name_); }
};

class TextBox : public Control {
public:
    using Control::Control;
    std::string Text() const { return engine_.text(name_); }
    void Visible(bool visible) { engine_.setVisible(name_, visible); }
    void SelStart(int start) { engine_.setSelStart(name_, start); }
    void SelLength(int length) { engine_.setSelLength(name_, length); }
    void SetFocus() { engine_.setFocus(name_); }
};

class ListBox : public Control {
public:
    using Control::Control;
    int ListCount() const { return engine_.listCount(name_); }
    bool Selected(int index) const { return engine_.selected(name_, index); }
    std::string List(int index) const { return engine_.list(name_, index); }
    void AddItem(std::string_view text) { engine_.addItem(name_, text); }
};

class Image : public Control {
public:
    using Control::Control;
    void Visible(bool visible) { engine_.setVisible(name_, visible); }
};

class Timer : public Control {
public:
    using Control::Control;
    void Enabled(bool enabled) { engine_.setEnabled(name_, enabled); }
};

}  // namespace varnsel::platform
