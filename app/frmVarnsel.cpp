#include "app/frmVarnsel.hpp"

#include <array>

#include "app/messages.hpp"

namespace varnsel {

using platform::EventKind;

frmVarnsel::frmVarnsel(platform::FormEngine& engine)
    : engine_(engine),
      lblDir(engine, "lblDir"),
      lblGame(engine, "lblGame"),
      lstDirs(engine, "lstDirs"),
      chkScanlines(engine, "chkScanlines"),
      chkVsync(engine, "chkVsync"),
      chkFrameSkip(engine, "chkFrameSkip"),
      chkVga(engine, "chkVga"),
      chkSkipCode(engine, "chkSkipCode"),
      chkJoystick(engine, "chkJoystick"),
      chkModeX(engine, "chkModeX"),
      txtFrameSkip(engine, "txtFrameSkip"),
      imgArrow(engine, "imgArrow"),
      Timer1(engine, "Timer1"),
      Timer2(engine, "Timer2") {}

namespace {

struct Wiring {
    std::string_view control;
    EventKind kind;
    void (frmVarnsel::*handler)();
};

// Which handler each delivered event runs; KeyPress, the one event with an
// argument, is wired in onEvent.
constexpr std::array<Wiring, 9> kWiring{{
    {"frmVarnsel", EventKind::Load, &frmVarnsel::Form_Load},
    {"cmdQuit", EventKind::Click, &frmVarnsel::cmdQuit_Click},
    {"cmdChoseGame", EventKind::Click, &frmVarnsel::cmdChoseGame_Click},
    {"cmdPlay", EventKind::Click, &frmVarnsel::cmdPlay_Click},
    {"chkFrameSkip", EventKind::Click, &frmVarnsel::chkFrameSkip_Click},
    {"txtFrameSkip", EventKind::GotFocus, &frmVarnsel::txtFrameSkip_GotFocus},
    {"txtFrameSkip", EventKind::LostFocus, &frmVarnsel::txtFrameSkip_LostFocus},
    {"Timer1", EventKind::Timer, &frmVarnsel::Timer1_Timer},
    {"Timer2", EventKind::Timer, &frmVarnsel::Timer2_Timer},
}};

}  // namespace

void frmVarnsel::onEvent(platform::ControlName control, EventKind kind, std::int16_t keyAscii) {
    if (control == "txtFrameSkip" && kind == EventKind::KeyPress) {
        txtFrameSkip_KeyPress(keyAscii);
        return;
    }
    for (const Wiring& wire : kWiring) {
        if (wire.control == control && wire.kind == kind) {
            (this->*wire.handler)();
            return;
        }
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
    engine_.end();
}

std::optional<std::string> frmVarnsel::currentDirectoryOrReport() {
    const auto dir = engine_.currentDirectory();
    if (!dir) {
        engine_.messageBox(messages::noCurrentDirectory(dir.reason()),
                           platform::MessageIcon::Exclamation, messages::kErrorTitle);
        return std::nullopt;
    }
    return *dir;
}

}  // namespace varnsel
