#include "app/form/window_definition.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace varnsel::form {

const ControlDef& control(std::string_view name) {
    for (const ControlDef& def : kControls) {
        if (def.name == name) return def;
    }
    std::fprintf(stderr, "varnsel: no control named \"%s\" in the window table\n",
                 std::string(name).c_str());
    std::abort();
}

bool delivers(std::string_view name, platform::EventKind kind) {
    if (name == kWindow.name) return kind == platform::EventKind::Load;
    unsigned bit = 0;
    switch (kind) {
        case platform::EventKind::Load:
            bit = OnLoad;
            break;
        case platform::EventKind::Click:
            bit = OnClick;
            break;
        case platform::EventKind::GotFocus:
            bit = OnGotFocus;
            break;
        case platform::EventKind::LostFocus:
            bit = OnLostFocus;
            break;
        case platform::EventKind::KeyPress:
            bit = OnKeyPress;
            break;
        case platform::EventKind::Timer:
            bit = OnTimer;
            break;
    }
    return (control(name).events & bit) != 0;
}

}  // namespace varnsel::form
