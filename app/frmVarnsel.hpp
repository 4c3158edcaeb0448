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

namespace varnsel {

class frmVarnsel : public platform::FormHandler {
public:
    explicit frmVarnsel(platform::FormEngine& engine);

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

    platform::FormEngine& engine_;

    // The controls the handlers use, by their names in the window table.
    form::Label lblDir{engine_, "lblDir"};
    form::Label lblGame{engine_, "lblGame"};
    form::ListBox lstDirs{engine_, "lstDirs"};
    form::CheckBox chkScanlines{engine_, "chkScanlines"};
    form::CheckBox chkVsync{engine_, "chkVsync"};
    form::CheckBox chkFrameSkip{engine_, "chkFrameSkip"};
    form::CheckBox chkVga{engine_, "chkVga"};
    form::CheckBox chkSkipCode{engine_, "chkSkipCode"};
    form::CheckBox chkJoystick{engine_, "chkJoystick"};
    form::CheckBox chkModeX{engine_, "chkModeX"};
    form::TextBox txtFrameSkip{engine_, "txtFrameSkip"};
    form::Image imgArrow{engine_, "imgArrow"};
    form::Timer Timer1{engine_, "Timer1"};
    form::Timer Timer2{engine_, "Timer2"};
};

}  // namespace varnsel
