// The option fragments: each ticked box gives its switch, any other value "".
#include "app/frmVarnsel.hpp"

namespace varnsel {
namespace {

std::string fragment(const form::CheckBox& box, std::string_view whenTicked) {
    return box.Value() == 1 ? std::string(whenTicked) : std::string();
}

// The count as typed, but for the blanks the check allows around it: " 2"
// would reach the emulator as "-f" and "2". Its check belongs to the box's
// own handlers, so nothing else is changed ("0.6" stays "0.6").
std::string frameSkipCount(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

void frmVarnsel::terminerArgs() {
    varScanlines = fragment(chkScanlines, "-s");
    varVsync = fragment(chkVsync, "-v");
    varFrameSkip = chkFrameSkip.Value() == 1 ? "-f" + frameSkipCount(txtFrameSkip.Text()) : "";
    varVga = fragment(chkVga, "-vga");
    varSkipCode = fragment(chkSkipCode, "-noanalyse");
    varJoystick = fragment(chkJoystick, "-j");
    strModeX = fragment(chkModeX, "-modex");
}

}  // namespace varnsel
