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
    // The program's arguments after its own name, from its UTF-16 command line.
    std::vector<std::string> arguments() const;

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
    char pathSeparator() const override { return '\\'; }
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

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace varnsel::platform::win32
