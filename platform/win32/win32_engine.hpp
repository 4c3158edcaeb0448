// The form engine on the plain Win32 API. This header holds no Windows type,
// so the program's start can name the engine without including windows.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/form_engine.hpp"

namespace varnsel::platform::win32 {

class Win32FormEngine : public FormEngine {
public:
    Win32FormEngine();
    ~Win32FormEngine() override;

    int run(FormHandler& form) override;

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
    void messageBox(std::string_view message, MessageIcon icon, std::string_view title) override;
    void end() override;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace varnsel::platform::win32
