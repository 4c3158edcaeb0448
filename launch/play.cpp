// "PLAY": refresh the fragments, compose the line, start the emulator. It
// checks nothing first; only a start the system refuses is reported.
#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"
#include "launch/command_line.hpp"

namespace varnsel {

void frmVarnsel::cmdPlay_Click() {
    terminerArgs();
    const auto dir = currentDirectoryOrReport();
    if (!dir) return;
    const launch::CommandLine line = launch::composeCommandLine(
        *dir, runtime_.pathSeparator(), strGame,
        {varScanlines, varVsync, varVga, varFrameSkip, varSkipCode, varJoystick, strModeX});
    const auto started =
        runtime_.startProgram(line.program, line.text, platform::kNormalWindowWithFocus);
    if (!started) {
        window_.messageBox(messages::startFailed(line.program, started.reason()),
                           platform::MessageIcon::Critical, messages::kErrorTitle);
    }
}

}  // namespace varnsel
