// The frame-skip entry box: shown while "Frame Skip" is ticked, its text
// selected on entry, and checked on Enter and whenever the focus leaves it.
#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"
#include "launch/frame_skip_value.hpp"
#include "platform/utf8.hpp"

namespace varnsel {

void frmVarnsel::chkFrameSkip_Click() {
    if (chkFrameSkip.Value() == 1) {
        txtFrameSkip.Visible(true);  // first, so that the box can take the focus
        txtFrameSkip.SetFocus();
    } else {
        txtFrameSkip.Visible(false);
    }
}

void frmVarnsel::txtFrameSkip_GotFocus() {
    txtFrameSkip.SelStart(0);
    txtFrameSkip.SelLength(platform::characterCount(txtFrameSkip.Text()));
}

void frmVarnsel::txtFrameSkip_KeyPress(std::int16_t KeyAscii) {
    constexpr std::int16_t kEnter = 13;
    if (KeyAscii == kEnter) txtFrameSkip_LostFocus();
}

void frmVarnsel::txtFrameSkip_LostFocus() {
    if (launch::isValidFrameSkip(txtFrameSkip.Text())) return;
    window_.messageBox(messages::kFrameSkipRange, platform::MessageIcon::Exclamation,
                       messages::kFrameSkipTitle);
    txtFrameSkip.SetFocus();
}

}  // namespace varnsel
