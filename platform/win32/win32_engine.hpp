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

    void setCaption(ControlId label, std::string_view text) override;
    int value(ControlId checkBox) const override;
    std::string text(ControlId textBox) const override;
    void setVisible(ControlId control, bool visible) override;
    void setSelStart(ControlId textBox, int start) override;
    void setSelLength(ControlId textBox, int length) override;
    void setFocus(ControlId control) override;
    int listCount(ControlId list) const override;
    bool selected(ControlId list, int index) const override;
    std::string list(ControlId list, int index) const override;
    void addItem(ControlId list, std::string_view text) override;
    void setEnabled(ControlId timer, bool enabled) override;
    void messageBox(std::string_view message, MessageIcon icon, std::string_view title) override;
    void end() override;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace varnsel::platform::win32
