// The launcher's one window object: its controls, its form-level state and
// every handler. The handlers live beside the subsystem they belong to:
// start-up, quit and the arrow in app/, the scan and the choice in games/,
// fragments, frame-skip entry and the launch in launch/.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/form/controls.hpp"
#include "platform/form_engine.hpp"
#include "platform/runtime.hpp"

namespace varnsel {

class frmVarnsel : public platform::FormHandler {
public:
    // The window it is drawn in, and the run-time it reads the games from and
    // starts the emulator with.
    frmVarnsel(platform::FormEngine& window, platform::Runtime& runtime);

    void onEvent(platform::ControlId control, platform::EventKind kind,
                 std::int16_t keyAscii) override;

    // Form-level state, in declaration order; each "" while unset.
    std::string strGame;
    std::string varScanlines;
    std::string varVsync;
    std::string varFrameSkip;
    std::string varVga;
    std::string varSkipCode;
    std::string varJoystick;
    std::string strModeX;

    // Event handlers.
    void Form_Load();
    void cmdQuit_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void cmdChoseGame_Click();
    void chkFrameSkip_Click();
    void txtFrameSkip_GotFocus();
    void txtFrameSkip_KeyPress(std::int16_t KeyAscii);
    void txtFrameSkip_LostFocus();
    void cmdPlay_Click();

private:
    void terminerDir();
    void terminerArgs();
    // The working directory, or nothing after telling the user why not.
    std::optional<std::string> currentDirectoryOrReport();

    platform::FormEngine& window_;
    platform::Runtime& runtime_;

    // The controls the handlers use, made from their names in the window table.
    form::Label lblDir;
    form::Label lblGame;
    form::ListBox lstDirs;
    form::CheckBox chkScanlines;
    form::CheckBox chkVsync;
    form::CheckBox chkFrameSkip;
    form::CheckBox chkVga;
    form::CheckBox chkSkipCode;
    form::CheckBox chkJoystick;
    form::CheckBox chkModeX;
    form::TextBox txtFrameSkip;
    form::Image imgArrow;
    form::Timer Timer1;
    form::Timer Timer2;
};

}  // namespace varnsel
