// Typed views of the window's controls, so that a handler reads like the
// behaviour it implements (lblDir.Caption(...), txtFrameSkip.SetFocus()).
// A view is a control's handle with the window it lives in: it is made from
// the control's name, checked against the window table when the program is
// compiled, and offers only the members the logic uses of that kind.
#pragma once

#include "form/window_definition.hpp"
#include "platform/form_engine.hpp"

namespace varnsel::form {

template <Kind K>
class Control {
public:
    // A name of the table's with this kind; any other does not build.
    Control(platform::FormEngine& engine, Of<K> name) : engine_(engine), id_(name) {}
    ControlId id() const { return id_; }

protected:
    platform::FormEngine& engine_;
    Of<K> id_;
};

class Label : public Control<Kind::Label> {
public:
    using Control::Control;
    void Caption(std::string_view text) { engine_.setCaption(id_, text); }
};

class CheckBox : public Control<Kind::CheckBox> {
public:
    using Control::Control;
    int Value() const { return engine_.value(id_); }
};

class TextBox : public Control<Kind::TextBox> {
public:
    using Control::Control;
    std::string Text() const { return engine_.text(id_); }
    void Visible(bool visible) { engine_.setVisible(id_, visible); }
    void SelStart(int start) { engine_.setSelStart(id_, start); }
    void SelLength(int length) { engine_.setSelLength(id_, length); }
    void SetFocus() { engine_.setFocus(id_); }
};

class ListBox : public Control<Kind::ListBox> {
public:
    using Control::Control;
    int ListCount() const { return engine_.listCount(id_); }
    bool Selected(int index) const { return engine_.selected(id_, index); }
    std::string List(int index) const { return engine_.list(id_, index); }
    void AddItem(std::string_view text) { engine_.addItem(id_, text); }
};

class Image : public Control<Kind::Image> {
public:
    using Control::Control;
    void Visible(bool visible) { engine_.setVisible(id_, visible); }
};

class Timer : public Control<Kind::Timer> {
public:
    using Control::Control;
    void Enabled(bool enabled) { engine_.setEnabled(id_, enabled); }
};

}  // namespace varnsel::form
