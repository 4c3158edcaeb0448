// The form engine on Qt 6 Widgets. This header holds no Qt type, so the
// program's start can name the engine without a toolkit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/form_engine.hpp"

namespace varnsel::platform::qt {

class QtFormEngine : public FormEngine {
public:
    // Creates the application object unless one exists already (a test's).
    QtFormEngine(int& argc, char** argv);
    // The program's arguments after its name and the toolkit's options.
    std::vector<std::string> arguments() const;
    ~QtFormEngine() override;

    int run(FormHandler& form) override;
    // Builds the window, raises Load and shows it, without entering the loop.
    void open(FormHandler& form);

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
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace varnsel::platform::qt
