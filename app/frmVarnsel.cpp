#include "app/frmVarnsel.hpp"

#include <array>
#include <type_traits>

#include "app/messages.hpp"

namespace varnsel {

using platform::EventKind;

frmVarnsel::frmVarnsel(platform::FormEngine& window, platform::Runtime& runtime)
    : window_(window),
      runtime_(runtime),
      lblDir(window, "lblDir"),
      lblGame(window, "lblGame"),
      lstDirs(window, "lstDirs"),
      chkScanlines(window, "chkScanlines"),
      chkVsync(window, "chkVsync"),
      chkFrameSkip(window, "chkFrameSkip"),
      chkVga(window, "chkVga"),
      chkSkipCode(window, "chkSkipCode"),
      chkJoystick(window, "chkJoystick"),
      chkModeX(window, "chkModeX"),
      txtFrameSkip(window, "txtFrameSkip"),
      imgArrow(window, "imgArrow"),
      Timer1(window, "Timer1"),
      Timer2(window, "Timer2") {}

namespace {

// Calls a handler; KeyPress's takes the key, the others nothing.
using Handler = void (*)(frmVarnsel&, std::int16_t keyAscii);
template <auto handler>
void call(frmVarnsel& form, std::int16_t keyAscii) {
    if constexpr (std::is_invocable_v<decltype(handler), frmVarnsel&, std::int16_t>) {
        (form.*handler)(keyAscii);
    } else {
        (form.*handler)();
    }
}

struct Wire {
    platform::ControlId control;
    EventKind kind;
    Handler handler;
};

// Which handler each delivered event runs, once.
constexpr std::array<Wire, 10> kWiring{{
    {"frmVarnsel", EventKind::Load, call<&frmVarnsel::Form_Load>},
    {"cmdQuit", EventKind::Click, call<&frmVarnsel::cmdQuit_Click>},
    {"cmdChoseGame", EventKind::Click, call<&frmVarnsel::cmdChoseGame_Click>},
    {"cmdPlay", EventKind::Click, call<&frmVarnsel::cmdPlay_Click>},
    {"chkFrameSkip", EventKind::Click, call<&frmVarnsel::chkFrameSkip_Click>},
    {"txtFrameSkip", EventKind::GotFocus, call<&frmVarnsel::txtFrameSkip_GotFocus>},
    {"txtFrameSkip", EventKind::KeyPress, call<&frmVarnsel::txtFrameSkip_KeyPress>},
    {"txtFrameSkip", EventKind::LostFocus, call<&frmVarnsel::txtFrameSkip_LostFocus>},
    {"Timer1", EventKind::Timer, call<&frmVarnsel::Timer1_Timer>},
    {"Timer2", EventKind::Timer, call<&frmVarnsel::Timer2_Timer>},
}};
static_assert(form::wiredAsDelivered(kWiring),
              "every event the window table delivers needs exactly one handler, and a handler "
              "only an event the table delivers");

}  // namespace

void frmVarnsel::onEvent(platform::ControlId control, EventKind kind, std::int16_t keyAscii) {
    for (const Wire& wire : kWiring) {
        if (wire.control == control && wire.kind == kind) return wire.handler(*this, keyAscii);
    }
}

void frmVarnsel::Form_Load() {
    // Without a working directory there is nothing to list: the window opens
    // with lblDir and the list empty.
    if (const auto dir = currentDirectoryOrReport()) {
        lblDir.Caption(*dir);
        terminerDir();
    }
    Timer1.Enabled(true);
}

void frmVarnsel::cmdQuit_Click() {
    window_.end();
}

std::optional<std::string> frmVarnsel::currentDirectoryOrReport() {
    const auto dir = runtime_.currentDirectory();
    if (!dir) {
        window_.messageBox(messages::noCurrentDirectory(dir.reason()),
                           platform::MessageIcon::Exclamation, messages::kErrorTitle);
        return std::nullopt;
    }
    return *dir;
}

}  // namespace varnsel
