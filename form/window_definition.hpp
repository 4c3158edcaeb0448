// The one window, as data: its own settings and every control with its
// geometry, caption, font, tab position, stacking and initial state. Every
// backend builds its window from this table alone.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace varnsel::form {

// The events the window and its controls can deliver to the logic.
enum class EventKind { Load, Click, GotFocus, LostFocus, KeyPress, Timer };

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

// A row of the table. Every field is named where a row gives it, in this
// order, and a field a row leaves out takes the default here: a field put in
// the wrong place does not build.
struct ControlDef {
    std::string_view name;
    Kind kind;
    std::string_view container = "";  // "" for the window's client area
    // Twips, from the container's outer top-left.
    int left = 0, top = 0, width = 0, height = 0;
    std::string_view caption = "";  // caption, or initial text of a text box
    FontId font = FontId::None;
    int tabIndex = kNoTabIndex;  // none for the timers and the image
    bool visible = true;
    bool enabled = true;
    int value = 0;     // check boxes: 0 clear
    int interval = 0;  // timers: milliseconds
    Picture picture = Picture::None;
    unsigned events = NoEvents;
    // For screen readers, where neither the caption nor the label above the
    // control says what it is (see accessibleName()).
    std::string_view accessibleName = "";
    Look look = kPlain;
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
    {.name = "pctBrivane", .kind = Kind::PictureBox, .left = 6720, .top = 3600, .width = 4815, .height = 3975,
     .tabIndex = 16, .picture = Picture::Illustration, .accessibleName = "Varnsel illustration", .look = kSunken},
    {.name = "Timer2", .kind = Kind::Timer, .interval = 600, .events = OnTimer},
    {.name = "Timer1", .kind = Kind::Timer, .interval = 600, .events = OnTimer},
    {.name = "lstDirs", .kind = Kind::ListBox, .left = 7320, .top = 720, .width = 2535, .height = 780,
     .font = FontId::SystemBold, .tabIndex = 2, .look = kSunkenThreeRows},
    {.name = "fraOptions", .kind = Kind::Frame, .left = 240, .top = 720, .width = 3495, .height = 4815,
     .caption = "Options", .font = FontId::SystemBold, .tabIndex = 1},
    {.name = "chkModeX", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 3960, .width = 2295, .height = 495,
     .caption = "ModeX (320x240)", .font = FontId::SystemBold, .tabIndex = 19},
    {.name = "chkJoystick", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 3360, .width = 2295, .height = 495,
     .caption = "Joystick", .font = FontId::SystemBold, .tabIndex = 18},
    {.name = "txtFrameSkip", .kind = Kind::TextBox, .container = "fraOptions", .left = 2160, .top = 1560, .width = 495, .height = 495,
     .font = FontId::Default, .tabIndex = 17, .visible = false, .events = OnGotFocus | OnKeyPress | OnLostFocus,
     .accessibleName = "Frame skip value, 1 to 4", .look = kSunken},
    {.name = "chkSkipCode", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 2760, .width = 2295, .height = 495,
     .caption = "Skip Code Analysis", .font = FontId::SystemBold, .tabIndex = 9},
    {.name = "chkVga", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 2160, .width = 2295, .height = 495,
     .caption = "VGA Resolution", .font = FontId::SystemBold, .tabIndex = 8},
    {.name = "chkFrameSkip", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 1560, .width = 2295, .height = 495,
     .caption = "Frame Skip", .font = FontId::SystemBold, .tabIndex = 7, .events = OnClick},
    {.name = "chkVsync", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 960, .width = 2295, .height = 495,
     .caption = "Vsync", .font = FontId::SystemBold, .tabIndex = 6},
    {.name = "chkScanlines", .kind = Kind::CheckBox, .container = "fraOptions", .left = 360, .top = 360, .width = 2295, .height = 495,
     .caption = "Scanlines (Vesa)", .font = FontId::SystemBold, .tabIndex = 0},
    {.name = "cmdQuit", .kind = Kind::CommandButton, .left = 4200, .top = 4560, .width = 1935, .height = 975,
     .caption = "GET THE HELL OUTTA HERE!", .font = FontId::SystemBold, .tabIndex = 5, .events = OnClick},
    {.name = "cmdChoseGame", .kind = Kind::CommandButton, .left = 4200, .top = 840, .width = 1935, .height = 975,
     .caption = "CHOSE GAME", .font = FontId::SystemBold, .tabIndex = 3, .events = OnClick},
    {.name = "cmdPlay", .kind = Kind::CommandButton, .left = 4200, .top = 2760, .width = 1935, .height = 975,
     .caption = "PLAY", .font = FontId::SystemBold, .tabIndex = 4, .events = OnClick},
    {.name = "imgArrow", .kind = Kind::Image, .left = 8280, .top = 2280, .width = 1725, .height = 1485,
     .picture = Picture::Arrow, .accessibleName = "Arrow"},
    {.name = "lblNom", .kind = Kind::Label, .left = 7440, .top = 1680, .width = 3255, .height = 495,
     .caption = kCredit, .font = FontId::Credit, .tabIndex = 15},
    {.name = "lblGame", .kind = Kind::Label, .left = 2160, .top = 7080, .width = 1935, .height = 495,
     .caption = "NONE", .font = FontId::SystemBold, .tabIndex = 14, .look = kBoxedCentred},
    {.name = "lblSelectedGame", .kind = Kind::Label, .left = 360, .top = 7080, .width = 1695, .height = 495,
     .caption = "Game Selected:", .font = FontId::SystemBold, .tabIndex = 13},
    {.name = "lblListDirs", .kind = Kind::Label, .left = 7320, .top = 360, .width = 2415, .height = 375,
     .caption = "Games in this directory:", .font = FontId::SystemBold, .tabIndex = 12},
    {.name = "lblDir", .kind = Kind::Label, .left = 2280, .top = 6480, .width = 3615, .height = 375,
     .font = FontId::Default, .tabIndex = 11},
    {.name = "lblCurDir", .kind = Kind::Label, .left = 360, .top = 6480, .width = 1815, .height = 375,
     .caption = "Current directory:", .font = FontId::SystemBold, .tabIndex = 10},
}};
// clang-format on

inline constexpr std::size_t kControlCount = kControls.size();

// A control, by its row in the table; the window itself is the row past the
// last. The logic and the tests make one from the control's name when the
// program is compiled, so a name the table does not hold does not build; an
// engine makes one from a row it holds.
struct ControlId {
    int index = -1;

    constexpr ControlId() = default;
    constexpr explicit ControlId(int row) : index(row) {}
    // Implicit, so that a control is written as its name.
    consteval ControlId(const char* name) : index(rowOf(name)) {}

    friend constexpr bool operator==(ControlId, ControlId) = default;
    constexpr std::string_view name() const;

private:
    static consteval int rowOf(std::string_view name) {
        if (name == kWindow.name) return static_cast<int>(kControlCount);
        for (std::size_t i = 0; i < kControlCount; ++i) {
            if (kControls[i].name == name) return static_cast<int>(i);
        }
        throw "no control of that name in the window table";
    }
};

inline constexpr ControlId kForm{static_cast<int>(kControlCount)};

constexpr const ControlDef& def(ControlId control) {
    return kControls[static_cast<std::size_t>(control.index)];
}

constexpr std::string_view nameOf(ControlId control) {
    return control == kForm ? kWindow.name : def(control).name;
}

constexpr std::string_view ControlId::name() const {
    return nameOf(*this);
}

template <Kind K, Kind... Kinds>
inline constexpr bool kOneOf = ((K == Kinds) || ...);

// A control of one of `Kinds`, by its name: a name of another kind does not
// build. The window's members take these, so a member used on a control of
// the wrong kind is refused when the program is compiled, never at run time.
template <Kind... Kinds>
struct Of {
    consteval Of(const char* name) : id(name) {  // implicit: written as the name
        if (id == kForm || !((def(id).kind == Kinds) || ...))
            throw "that control is of another kind in the window table";
    }
    // One of fewer kinds is one of these.
    template <Kind... Fewer>
    requires(kOneOf<Fewer, Kinds...>&&...) constexpr Of(Of<Fewer...> control) : id(control.id) {}
    constexpr operator ControlId() const { return id; }
    ControlId id;
};

// Each control's container: the frame it sits in, or the window. A container
// the table does not hold as a frame does not build, as a misspelt control
// does not.
inline constexpr auto kContainers = [] {
    std::array<ControlId, kControlCount> containers{};
    for (std::size_t i = 0; i < kControlCount; ++i) {
        containers[i] = kForm;
        if (kControls[i].container.empty()) continue;
        bool found = false;
        for (std::size_t c = 0; c < kControlCount; ++c) {
            if (kControls[c].name != kControls[i].container) continue;
            if (kControls[c].kind != Kind::Frame) throw "a container must be a frame";
            containers[i] = ControlId(static_cast<int>(c));
            found = true;
        }
        if (!found) throw "no container of that name in the window table";
    }
    return containers;
}();

constexpr ControlId containerOf(ControlId control) {
    return kContainers[static_cast<std::size_t>(control.index)];
}

// Controls that a label beside them names for a screen reader.
struct LabelledBy {
    ControlId control;
    ControlId label;
};
inline constexpr std::array<LabelledBy, 3> kLabelledBy{{
    {"lstDirs", "lblListDirs"},
    {"lblDir", "lblCurDir"},
    {"lblGame", "lblSelectedGame"},
}};

// What a screen reader hears of the two value labels beyond their own text:
// a control that takes the focus is described by one ("Game Selected: kof98"
// on the buttons, "Current directory: ..." on the list), and the chosen
// game is announced as soon as it changes.
struct DescribedBy {
    ControlId control;
    ControlId value;
};
inline constexpr std::array<DescribedBy, 3> kDescribedBy{{
    {"cmdChoseGame", "lblGame"},
    {"cmdPlay", "lblGame"},
    {"lstDirs", "lblDir"},
}};
inline constexpr std::array<ControlId, 1> kAnnounced{{"lblGame"}};

// What a screen reader calls a control: the name its row gives, else the
// caption of the label beside it, else its own caption. A value label (the
// directory, the chosen game) has none: it is read out with its current text.
constexpr std::string_view accessibleName(ControlId control) {
    const ControlDef& row = def(control);
    if (!row.accessibleName.empty()) return row.accessibleName;
    for (const LabelledBy& relation : kLabelledBy) {
        if (relation.control == control)
            return row.kind == Kind::Label ? "" : def(relation.label).caption;
    }
    return row.caption;
}

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

constexpr unsigned eventBit(EventKind kind) {
    return 1u << static_cast<unsigned>(kind);
}
static_assert(eventBit(EventKind::Timer) == OnTimer, "the bits follow EventKind");

// Whether a control (or the window) delivers that event to the logic;
// engines raise nothing else.
constexpr bool delivers(ControlId control, EventKind kind) {
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
    std::array<ControlId, count> order{};
    std::size_t n = 0;
    for (int tab = 0; tab < static_cast<int>(kControlCount); ++tab) {
        for (std::size_t i = 0; i < kControlCount; ++i) {
            if (kControls[i].tabIndex == tab && takesFocus(kControls[i].kind))
                order[n++] = ControlId(static_cast<int>(i));
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
        for (unsigned k = 0; k <= static_cast<unsigned>(EventKind::Timer); ++k) {
            const auto kind = static_cast<EventKind>(k);
            int handlers = 0;
            for (const Wire& wire : wiring)
                handlers += wire.control.index == c && wire.kind == kind;
            if (handlers != (delivers(ControlId(c), kind) ? 1 : 0)) return false;
        }
    }
    return true;
}

}  // namespace varnsel::form
