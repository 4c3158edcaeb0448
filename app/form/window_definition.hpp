// The one window, as data: its own settings and every control with its
// geometry, caption, font, tab position, stacking and initial state. Every
// backend builds its window from this table alone.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "platform/form_engine.hpp"

namespace varnsel::form {

enum class Kind {
    PictureBox,
    Timer,
    ListBox,
    Frame,
    CheckBox,
    TextBox,
    CommandButton,
    Image,
    Label
};

enum class FontId { None, SystemBold, Credit, Default };

struct FontDef {
    std::string_view face;  // "" for the toolkit's default face
    double points;          // 0 for the default size
    int weight;             // 400 regular, 700 bold
    int charset;            // 0 Western
};

enum class Picture { None, Illustration, Arrow };

// The events a control delivers to the logic, as a bit set.
enum Events : unsigned {
    NoEvents = 0,
    OnLoad = 1u << 0,
    OnClick = 1u << 1,
    OnGotFocus = 1u << 2,
    OnLostFocus = 1u << 3,
    OnKeyPress = 1u << 4,
    OnTimer = 1u << 5,
};

inline constexpr int kNoTabIndex = -1;

struct ControlDef {
    std::string_view name;
    Kind kind;
    std::string_view container;    // "" for the window's client area
    int left, top, width, height;  // twips, from the container's outer top-left
    std::string_view caption;      // caption, or initial text of a text box
    FontId font;
    int tabIndex;  // kNoTabIndex for the timers and the image
    bool visible;
    bool enabled;
    int value;     // check boxes: 0 clear
    int interval;  // timers: milliseconds
    Picture picture;
    unsigned events;
    // For screen readers; "" for a value label, which is read out with its
    // current text (the directory, the chosen game).
    std::string_view accessibleName;
};

struct WindowDef {
    std::string_view name;
    std::string_view caption;
    int clientWidth, clientHeight;  // twips
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

inline constexpr WindowDef kWindow{"frmVarnsel", "Varnsel v0.1 ", 11535, 7575};

inline constexpr std::string_view kCredit = "Varnsel for Neorage";

// In stacking order, front to back within each container; the frame's
// children follow the frame.
// clang-format off
inline constexpr std::array<ControlDef, 23> kControls{{
//   name               kind                 container     left  top   width height caption                     font                 tab  visible enabled value interval picture               events                                        accessible name
    {"pctBrivane",      Kind::PictureBox,    "",           6720, 3600, 4815, 3975, "",                         FontId::None,        16,  true,   true,   0,    0,   Picture::Illustration, NoEvents,                                     "Varnsel illustration"},
    {"Timer2",          Kind::Timer,         "",           0,    0,    0,    0,    "",                         FontId::None,        kNoTabIndex, true, true, 0, 600, Picture::None,         OnTimer,                                      ""},
    {"Timer1",          Kind::Timer,         "",           0,    0,    0,    0,    "",                         FontId::None,        kNoTabIndex, true, true, 0, 600, Picture::None,         OnTimer,                                      ""},
    {"lstDirs",         Kind::ListBox,       "",           7320, 720,  2535, 780,  "",                         FontId::SystemBold,  2,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Games in this directory:"},
    {"fraOptions",      Kind::Frame,         "",           240,  720,  3495, 4815, "Options",                  FontId::SystemBold,  1,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Options"},
    {"chkModeX",        Kind::CheckBox,      "fraOptions", 360,  3960, 2295, 495,  "ModeX (320x240)",          FontId::SystemBold,  19,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "ModeX (320x240)"},
    {"chkJoystick",     Kind::CheckBox,      "fraOptions", 360,  3360, 2295, 495,  "Joystick",                 FontId::SystemBold,  18,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Joystick"},
    {"txtFrameSkip",    Kind::TextBox,       "fraOptions", 2160, 1560, 495,  495,  "",                         FontId::Default,     17,  false,  true,   0,    0,   Picture::None,         OnGotFocus | OnKeyPress | OnLostFocus,        "Frame skip value, 1 to 4"},
    {"chkSkipCode",     Kind::CheckBox,      "fraOptions", 360,  2760, 2295, 495,  "Skip Code Analysis",       FontId::SystemBold,  9,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Skip Code Analysis"},
    {"chkVga",          Kind::CheckBox,      "fraOptions", 360,  2160, 2295, 495,  "VGA Resolution",           FontId::SystemBold,  8,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "VGA Resolution"},
    {"chkFrameSkip",    Kind::CheckBox,      "fraOptions", 360,  1560, 2295, 495,  "Frame Skip",               FontId::SystemBold,  7,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "Frame Skip"},
    {"chkVsync",        Kind::CheckBox,      "fraOptions", 360,  960,  2295, 495,  "Vsync",                    FontId::SystemBold,  6,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Vsync"},
    {"chkScanlines",    Kind::CheckBox,      "fraOptions", 360,  360,  2295, 495,  "Scanlines (Vesa)",         FontId::SystemBold,  0,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Scanlines (Vesa)"},
    {"cmdQuit",         Kind::CommandButton, "",           4200, 4560, 1935, 975,  "GET THE HELL OUTTA HERE!", FontId::SystemBold,  5,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "GET THE HELL OUTTA HERE!"},
    {"cmdChoseGame",    Kind::CommandButton, "",           4200, 840,  1935, 975,  "CHOSE GAME",               FontId::SystemBold,  3,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "CHOSE GAME"},
    {"cmdPlay",         Kind::CommandButton, "",           4200, 2760, 1935, 975,  "PLAY",                     FontId::SystemBold,  4,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "PLAY"},
    {"imgArrow",        Kind::Image,         "",           8280, 2280, 1725, 1485, "",                         FontId::None,        kNoTabIndex, true, true, 0, 0,   Picture::Arrow,        NoEvents,                                     "Arrow"},
    {"lblNom",          Kind::Label,         "",           7440, 1680, 3255, 495,  kCredit,                    FontId::Credit,      15,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     kCredit},
    {"lblGame",         Kind::Label,         "",           2160, 7080, 1935, 495,  "NONE",                     FontId::SystemBold,  14,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     ""},
    {"lblSelectedGame", Kind::Label,         "",           360,  7080, 1695, 495,  "Game Selected:",           FontId::SystemBold,  13,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Game Selected:"},
    {"lblListDirs",     Kind::Label,         "",           7320, 360,  2415, 375,  "Games in this directory:", FontId::SystemBold,  12,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Games in this directory:"},
    {"lblDir",          Kind::Label,         "",           2280, 6480, 3615, 375,  "",                         FontId::Default,     11,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     ""},
    {"lblCurDir",       Kind::Label,         "",           360,  6480, 1815, 375,  "Current directory:",       FontId::SystemBold,  10,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Current directory:"},
}};
// clang-format on

// Controls that a label beside them names for a screen reader.
struct LabelledBy {
    std::string_view control;
    std::string_view label;
};
inline constexpr std::array<LabelledBy, 3> kLabelledBy{{
    {"lstDirs", "lblListDirs"},
    {"lblDir", "lblCurDir"},
    {"lblGame", "lblSelectedGame"},
}};

inline constexpr FontDef fontDef(FontId id) {
    switch (id) {
        case FontId::SystemBold:
            return {"System", 9.75, 700, 0};
        case FontId::Credit:
            return {"MS Sans Serif", 12.0, 700, 0};
        case FontId::Default:
            return {"", 0.0, 400, 0};
        case FontId::None:
            break;
    }
    return {"", 0.0, 400, 0};
}

// The control of that name; a name the table does not hold is a programming
// error and stops the program.
const ControlDef& control(std::string_view name);

// Whether a control (or the window, by its name, which raises only Load)
// delivers that event to the logic; engines raise nothing else.
bool delivers(std::string_view control, platform::EventKind kind);

// Whether the user can move the focus to a control of this kind.
constexpr bool takesFocus(Kind kind) {
    return kind == Kind::CheckBox || kind == Kind::ListBox || kind == Kind::CommandButton ||
           kind == Kind::PictureBox || kind == Kind::TextBox;
}

}  // namespace varnsel::form
