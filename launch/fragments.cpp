// The option fragments: each ticked box gives its switch, any other value "".
#include "app/frmVarnsel.hpp"

namespace varnsel {
namespace {

std::string fragment(const platform::CheckBox& box, std::string_view whenTicked) {
    return box.Value() == 1 ? std::string(whenTicked) : std::string();
}

}  // namespace

void frmVarnsel::terminerArgs() {
    varScanlines = fragment(chkScanlines, "-s");
    varVsync = fragment(chkVsync, "-v");
    // The text as typed: its check belongs to the box's own handlers.
    varFrameSkip = chkFrameSkip.Value() == 1 ? "-f" + txtFrameSkip.Text() : "";
    varVga = fragment(chkVga, "-vga");
    varSkipCode = fragment(chkSkipCode, "-noanalyse");
    varJoystick = fragment(chkJoystick, "-j");
    strModeX = fragment(chkModeX, "-modex");
}

}  // namespace varnsel
