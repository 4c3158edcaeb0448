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
    // The inside, for what includes its header: the engine, its tests and
    // its benchmarks.
    friend Impl& insideOf(QtFormEngine& engine);

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace varnsel::platform::qt
