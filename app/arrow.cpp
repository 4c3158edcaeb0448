// The blinking arrow: each timer sets the arrow, then hands over to the
// other timer before stopping itself, so after any tick exactly one runs.
#include "app/frmVarnsel.hpp"

namespace varnsel {

void frmVarnsel::Timer1_Timer() {
    imgArrow.Visible(false);
    Timer2.Enabled(true);
    Timer1.Enabled(false);
}

void frmVarnsel::Timer2_Timer() {
    imgArrow.Visible(true);
    Timer1.Enabled(true);
    Timer2.Enabled(false);
}

}  // namespace varnsel
