// The one window, as data: its own settings and every control with its
// geometry, caption, font, tab position, stacking and initial state. Every
// backend builds its window from this table alone.
#pragma once

#include <array>
#include <cstddef>
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

// How a control looks beyond what its kind gives it.
enum class Border { None, Single, Sunken };
enum class Align { Left, Centre };
struct Look {
    Border border;
    Align align;
    int rows;  // a list: how many whole entries fill its inside
};
inline constexpr Look kPlain{Border::None, Align::Left, 0};
inline constexpr Look kSunken{Border::Sunken, Align::Left, 0};
inline constexpr Look kBoxedCentred{Border::Single, Align::Centre, 0};
inline constexpr Look kSunkenThreeRows{Border::Sunken, Align::Left, 3};

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
    Look look;
};

struct WindowDef {
    std::string_view name;
    std::string_view caption;
    int clientWidth, clientHeight;  // twips
    unsigned events;
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

inline constexpr WindowDef kWindow{"frmVarnsel", "Varnsel v0.1 ", 11535, 7575, OnLoad};

inline constexpr std::string_view kCredit = "Varnsel for Neorage";

// In stacking order, front to back within each container; the frame's
// children follow the frame.
// clang-format off
inline constexpr std::array<ControlDef, 23> kControls{{
//   name               kind                 container     left  top   width height caption                     font                 tab  visible enabled value interval picture               events                                        accessible name               look
    {"pctBrivane",      Kind::PictureBox,    "",           6720, 3600, 4815, 3975, "",                         FontId::None,        16,  true,   true,   0,    0,   Picture::Illustration, NoEvents,                                     "Varnsel illustration", kSunken},
    {"Timer2",          Kind::Timer,         "",           0,    0,    0,    0,    "",                         FontId::None,        kNoTabIndex, true, true, 0, 600, Picture::None,         OnTimer,                                      "", kPlain},
    {"Timer1",          Kind::Timer,         "",           0,    0,    0,    0,    "",                         FontId::None,        kNoTabIndex, true, true, 0, 600, Picture::None,         OnTimer,                                      "", kPlain},
    {"lstDirs",         Kind::ListBox,       "",           7320, 720,  2535, 780,  "",                         FontId::SystemBold,  2,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Games in this directory:", kSunkenThreeRows},
    {"fraOptions",      Kind::Frame,         "",           240,  720,  3495, 4815, "Options",                  FontId::SystemBold,  1,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Options", kPlain},
    {"chkModeX",        Kind::CheckBox,      "fraOptions", 360,  3960, 2295, 495,  "ModeX (320x240)",          FontId::SystemBold,  19,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "ModeX (320x240)", kPlain},
    {"chkJoystick",     Kind::CheckBox,      "fraOptions", 360,  3360, 2295, 495,  "Joystick",                 FontId::SystemBold,  18,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Joystick", kPlain},
    {"txtFrameSkip",    Kind::TextBox,       "fraOptions", 2160, 1560, 495,  495,  "",                         FontId::Default,     17,  false,  true,   0,    0,   Picture::None,         OnGotFocus | OnKeyPress | OnLostFocus,        "Frame skip value, 1 to 4", kSunken},
    {"chkSkipCode",     Kind::CheckBox,      "fraOptions", 360,  2760, 2295, 495,  "Skip Code Analysis",       FontId::SystemBold,  9,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Skip Code Analysis", kPlain},
    {"chkVga",          Kind::CheckBox,      "fraOptions", 360,  2160, 2295, 495,  "VGA Resolution",           FontId::SystemBold,  8,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "VGA Resolution", kPlain},
    {"chkFrameSkip",    Kind::CheckBox,      "fraOptions", 360,  1560, 2295, 495,  "Frame Skip",               FontId::SystemBold,  7,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "Frame Skip", kPlain},
    {"chkVsync",        Kind::CheckBox,      "fraOptions", 360,  960,  2295, 495,  "Vsync",                    FontId::SystemBold,  6,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Vsync", kPlain},
    {"chkScanlines",    Kind::CheckBox,      "fraOptions", 360,  360,  2295, 495,  "Scanlines (Vesa)",         FontId::SystemBold,  0,   true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Scanlines (Vesa)", kPlain},
    {"cmdQuit",         Kind::CommandButton, "",           4200, 4560, 1935, 975,  "GET THE HELL OUTTA HERE!", FontId::SystemBold,  5,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "GET THE HELL OUTTA HERE!", kPlain},
    {"cmdChoseGame",    Kind::CommandButton, "",           4200, 840,  1935, 975,  "CHOSE GAME",               FontId::SystemBold,  3,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "CHOSE GAME", kPlain},
    {"cmdPlay",         Kind::CommandButton, "",           4200, 2760, 1935, 975,  "PLAY",                     FontId::SystemBold,  4,   true,   true,   0,    0,   Picture::None,         OnClick,                                      "PLAY", kPlain},
    {"imgArrow",        Kind::Image,         "",           8280, 2280, 1725, 1485, "",                         FontId::None,        kNoTabIndex, true, true, 0, 0,   Picture::Arrow,        NoEvents,                                     "Arrow", kPlain},
    {"lblNom",          Kind::Label,         "",           7440, 1680, 3255, 495,  kCredit,                    FontId::Credit,      15,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     kCredit, kPlain},
    {"lblGame",         Kind::Label,         "",           2160, 7080, 1935, 495,  "NONE",                     FontId::SystemBold,  14,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "", kBoxedCentred},
    {"lblSelectedGame", Kind::Label,         "",           360,  7080, 1695, 495,  "Game Selected:",           FontId::SystemBold,  13,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Game Selected:", kPlain},
    {"lblListDirs",     Kind::Label,         "",           7320, 360,  2415, 375,  "Games in this directory:", FontId::SystemBold,  12,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Games in this directory:", kPlain},
    {"lblDir",          Kind::Label,         "",           2280, 6480, 3615, 375,  "",                         FontId::Default,     11,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "", kPlain},
    {"lblCurDir",       Kind::Label,         "",           360,  6480, 1815, 375,  "Current directory:",       FontId::SystemBold,  10,  true,   true,   0,    0,   Picture::None,         NoEvents,                                     "Current directory:", kPlain},
}};
// clang-format on

inline constexpr std::size_t kControlCount = kControls.size();

// The window itself, which raises only Load, as a control id past the table.
inline constexpr platform::ControlId kForm{static_cast<int>(kControlCount)};

// The row of the control of that name, or of the window; a name the table
// does not hold is not a constant, so a program that names one does not build.
consteval platform::ControlId id(std::string_view name) {
    if (name == kWindow.name) return kForm;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (kControls[i].name == name) return {static_cast<int>(i)};
    }
    throw "no control of that name in the window table";
}

constexpr const ControlDef& def(platform::ControlId control) {
    return kControls[static_cast<std::size_t>(control.index)];
}

constexpr std::string_view nameOf(platform::ControlId control) {
    return control == kForm ? kWindow.name : def(control).name;
}

// Each control's container: the frame it sits in, or the window.
inline constexpr auto kContainers = [] {
    std::array<platform::ControlId, kControlCount> containers{};
    for (std::size_t i = 0; i < kControlCount; ++i) {
        containers[i] = kForm;
        for (std::size_t c = 0; c < kControlCount; ++c) {
            if (kControls[c].name == kControls[i].container) containers[i] = {static_cast<int>(c)};
        }
    }
    return containers;
}();

constexpr platform::ControlId containerOf(platform::ControlId control) {
    return kContainers[static_cast<std::size_t>(control.index)];
}

// A handle on a control of one kind, checked against the table when the
// program is compiled: its name must be there, with that kind.
template <Kind K>
class Handle {
public:
    // Implicit, so that a handle is written as the control's name.
    consteval Handle(const char* name) : id_(form::id(name)) {
        if (id_ == kForm || kControls[static_cast<std::size_t>(id_.index)].kind != K)
            throw "that control is of another kind in the window table";
    }
    constexpr platform::ControlId id() const { return id_; }

private:
    platform::ControlId id_;
};

// Any control, or the window, by its name, checked against the table when
// the program is compiled: for callers outside the logic, such as tests.
class Name {
public:
    consteval Name(const char* name) : id_(form::id(name)) {}  // implicit: a name is a control
    constexpr Name(platform::ControlId id) : id_(id) {}
    constexpr platform::ControlId id() const { return id_; }
    constexpr operator platform::ControlId() const { return id_; }
    constexpr std::string_view name() const { return nameOf(id_); }

private:
    platform::ControlId id_;
};

// Controls that a label beside them names for a screen reader.
struct LabelledBy {
    platform::ControlId control;
    platform::ControlId label;
};
inline constexpr std::array<LabelledBy, 3> kLabelledBy{{
    {id("lstDirs"), id("lblListDirs")},
    {id("lblDir"), id("lblCurDir")},
    {id("lblGame"), id("lblSelectedGame")},
}};

// What a screen reader hears of the two value labels beyond their own text:
// a control that takes the focus is described by one ("Game Selected: kof98"
// on the buttons, "Current directory: ..." on the list), and the chosen
// game is announced as soon as it changes.
struct DescribedBy {
    platform::ControlId control;
    platform::ControlId value;
};
inline constexpr std::array<DescribedBy, 3> kDescribedBy{{
    {id("cmdChoseGame"), id("lblGame")},
    {id("cmdPlay"), id("lblGame")},
    {id("lstDirs"), id("lblDir")},
}};
inline constexpr std::array<platform::ControlId, 1> kAnnounced{{id("lblGame")}};

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

constexpr unsigned eventBit(platform::EventKind kind) {
    return 1u << static_cast<unsigned>(kind);
}
static_assert(eventBit(platform::EventKind::Timer) == OnTimer, "the bits follow EventKind");

// Whether a control (or the window) delivers that event to the logic;
// engines raise nothing else.
constexpr bool delivers(platform::ControlId control, platform::EventKind kind) {
    const unsigned events = control == kForm ? kWindow.events : def(control).events;
    return (events & eventBit(kind)) != 0;
}

// Whether the user can move the focus to a control of this kind.
constexpr bool takesFocus(Kind kind) {
    return kind == Kind::CheckBox || kind == Kind::ListBox || kind == Kind::CommandButton ||
           kind == Kind::PictureBox || kind == Kind::TextBox;
}

// The controls that can take the focus, by their tab positions.
inline constexpr auto kTabOrder = [] {
    constexpr std::size_t count = [] {
        std::size_t n = 0;
        for (const ControlDef& c : kControls) n += takesFocus(c.kind) ? 1 : 0;
        return n;
    }();
    std::array<platform::ControlId, count> order{};
    std::size_t n = 0;
    for (int tab = 0; tab < static_cast<int>(kControlCount); ++tab) {
        for (std::size_t i = 0; i < kControlCount; ++i) {
            if (kControls[i].tabIndex == tab && takesFocus(kControls[i].kind))
                order[n++] = {static_cast<int>(i)};
        }
    }
    return order;
}();

// Whether a wiring of events to handlers matches the table: every event the
// table delivers has exactly one handler, and no handler waits for an event
// that is never delivered. `Wire` has `control` and `kind`.
template <class Wire, std::size_t N>
consteval bool wiredAsDelivered(const std::array<Wire, N>& wiring) {
    for (const Wire& wire : wiring) {
        if (!delivers(wire.control, wire.kind)) return false;
    }
    for (int c = 0; c <= static_cast<int>(kControlCount); ++c) {
        for (unsigned k = 0; k <= static_cast<unsigned>(platform::EventKind::Timer); ++k) {
            const auto kind = static_cast<platform::EventKind>(k);
            int handlers = 0;
            for (const Wire& wire : wiring)
                handlers += wire.control.index == c && wire.kind == kind;
            if (handlers != (delivers({c}, kind) ? 1 : 0)) return false;
        }
    }
    return true;
}

}  // namespace varnsel::form
