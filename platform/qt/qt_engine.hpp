// The form engine on Qt 6 Widgets with the POSIX run-time. This header holds
// no Qt type, so the program's start can name the engine without a toolkit.
#pragma once

#include <memory>

#include "platform/form_engine.hpp"

namespace varnsel::platform::qt {

class QtFormEngine : public FormEngine {
public:
    // Creates the application object unless one exists already (a test's).
    QtFormEngine(int& argc, char** argv);
    ~QtFormEngine() override;

    int run(FormHandler& form) override;
    // Builds the window, raises Load and shows it, without entering the loop.
    void open(FormHandler& form);

    void setCaption(ControlName label, std::string_view text) override;
    int value(ControlName checkBox) const override;
    std::string text(ControlName textBox) const override;
    void setVisible(ControlName control, bool visible) override;
    void setSelStart(ControlName textBox, int start) override;
    void setSelLength(ControlName textBox, int length) override;
    void setFocus(ControlName control) override;
    int listCount(ControlName list) const override;
    bool selected(ControlName list, int index) const override;
    std::string list(ControlName list, int index) const override;
    void addItem(ControlName list, std::string_view text) override;
    void setEnabled(ControlName timer, bool enabled) override;
    char pathSeparator() const override;
    Result<std::string> currentDirectory() override;
    Result<Done> enterDirectory(std::string_view path) override;
    Result<std::string> firstEntry(std::string_view pattern, int kinds) override;
    Result<std::string> nextEntry() override;
    Result<int> attributes(std::string_view path) override;
    void messageBox(std::string_view message, MessageIcon icon, std::string_view title) override;
    Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                              int windowStyle) override;
    void end() override;

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace varnsel::platform::qt
