// The engine core's rules, where they are written: what a press, its
// release, a key, a typed character and an assistive click do, against the
// focus staying, LostFocus taking it back, a handler running and the program
// having ended. The engine here is the test's own: a focus, a loop the test
// turns when it chooses, and a frame-skip box whose LostFocus does what the
// row says.
#include <gtest/gtest.h>

#include <set>

#include "platform/engine_core.hpp"

namespace varnsel::platform {
namespace {

enum class State { Stays, TakenBack, Running, Ended };

struct Rig : FormHandler {
    explicit Rig(State state) : state(state) {
        core.attach(*this);
        focus = ControlId("txtFrameSkip");
        core.focusMovedTo("txtFrameSkip");
        turnLoop();
        seen.clear();
        if (state == State::Ended) core.end();
    }
    // The loop's turns, as many as were asked for.
    void turnLoop() {
        while (pumpAsked) {
            pumpAsked = false;
            core.pump();
        }
    }
    void onEvent(ControlId control, EventKind kind, std::int16_t key) override {
        static constexpr const char* kKinds[] = {"Load",      "Click",    "GotFocus",
                                                 "LostFocus", "KeyPress", "Timer"};
        seen += std::string(control.name()) + "." + kKinds[static_cast<int>(kind)] +
                (key ? "(" + std::to_string(key) + ")" : "") + " ";
        // A bad value in the box: its LostFocus takes the focus back, as a
        // message box and SetFocus do.
        if (kind == EventKind::LostFocus && state == State::TakenBack) giveFocus("txtFrameSkip");
        if (kind == EventKind::LostFocus && endsOnLostFocus) core.end();
        if (kind == EventKind::Click && control == ControlId("cmdQuit")) core.end();
        if (kind == EventKind::KeyPress && keyPressMoves) giveFocus("cmdPlay");
        if (kind == EventKind::Load) collectingAtLoad = core.list.collecting();
        if (kind == EventKind::Timer && duringHandler) duringHandler();
    }
    void giveFocus(ControlId control) {
        focus = control;
        core.focusMovedTo(control);
    }

    State state;
    std::optional<ControlId> focus;
    bool pumpAsked = false;
    std::string seen;
    std::function<void()> duringHandler;  // run inside a Timer's handler
    bool endsOnLostFocus = false;
    bool keyPressMoves = false;
    bool collectingAtLoad = false;
    int undone = 0;
    std::set<std::string_view> hidden;
    EngineCore core{{
        .schedulePump = [this] { pumpAsked = true; },
        .hasFocus = [this](ControlId control) { return focus == control; },
        .giveFocus = [this](ControlId control) { giveFocus(control); },
        .shown = [this](ControlId control) { return !hidden.contains(control.name()); },
    }};
};

constexpr const char* kLost = "txtFrameSkip.LostFocus ";
constexpr const char* kGot = "txtFrameSkip.GotFocus ";
constexpr const char* kPlay = "cmdPlay.Click ";

struct Row {
    const char* rule;
    State state;
    // The input, made as an engine reports it; "1" for each part the
    // toolkit may go on with, "0" for each it may not.
    std::function<std::string(Rig&)> input;
    std::string answers;
    std::string seen;
    const char* focus;
};

std::string yes(bool answer) {
    return answer ? "1" : "0";
}

std::string pressAndRelease(Rig& rig, ControlId control) {
    const std::string pressed = yes(rig.core.press(control));
    return pressed + yes(rig.core.release(control));
}

// A Tab's focus move as the toolkit makes it, then a key in the new control
// before the loop has turned.
std::string keyAfterTab(Rig& rig) {
    rig.giveFocus("cmdPlay");
    return yes(rig.core.key("cmdPlay"));
}

std::string assist(Rig& rig, ControlId control = "cmdPlay") {
    rig.core.click(control, [&rig] { ++rig.undone; });
    const std::string before = rig.seen;
    rig.turnLoop();
    return (before.empty() ? "1" : "0") + std::to_string(rig.undone);
}

const Row kRows[] = {
    {"a press moves the focus first and stands where it stays", State::Stays,
     [](Rig& r) { return pressAndRelease(r, "cmdPlay"); }, "11", kLost, "cmdPlay"},
    {"a press whose LostFocus takes the focus back has no effect, nor its release",
     State::TakenBack, [](Rig& r) { return pressAndRelease(r, "cmdPlay"); }, "00",
     std::string(kLost) + kGot, "txtFrameSkip"},
    {"a press on a label moves no focus and raises nothing", State::TakenBack,
     [](Rig& r) { return pressAndRelease(r, "lblGame"); }, "11", "", "txtFrameSkip"},
    {"a press on the arrow's image moves no focus", State::TakenBack,
     [](Rig& r) { return pressAndRelease(r, "imgArrow"); }, "11", "", "txtFrameSkip"},
    {"a refused press swallows its own release, not another control's", State::TakenBack,
     [](Rig& r) {
         const std::string pressed = yes(r.core.press("cmdPlay"));
         return pressed + yes(r.core.release("cmdQuit"));
     },
     "01", std::string(kLost) + kGot, "txtFrameSkip"},
    {"a press whose LostFocus ends the program has no effect and swallows nothing", State::Stays,
     [](Rig& r) {
         r.endsOnLostFocus = true;
         return pressAndRelease(r, "cmdPlay");
     },
     "01", kLost, "cmdPlay"},
    {"a press after the program's end moves nothing and stands for nothing", State::Ended,
     [](Rig& r) { return pressAndRelease(r, "cmdPlay"); }, "01", "", "txtFrameSkip"},
    {"the press after a refused one whose release a message box took stands", State::TakenBack,
     [](Rig& r) {
         const std::string refused = yes(r.core.press("cmdPlay"));  // its release is lost
         r.state = State::Stays;                                    // the value is good now
         return refused + pressAndRelease(r, "cmdPlay");
     },
     "011", std::string(kLost) + kGot + kLost, "cmdPlay"},
    {"a key after a Tab goes on where the focus stays", State::Stays, keyAfterTab, "1", kLost,
     "cmdPlay"},
    {"a key after a Tab, before the loop ran the LostFocus that takes the focus back, stops",
     State::TakenBack, keyAfterTab, "0", std::string(kLost) + kGot, "txtFrameSkip"},
    {"a key after the program's end stops", State::Ended,
     [](Rig& r) { return yes(r.core.key("txtFrameSkip")); }, "0", "", "txtFrameSkip"},
    {"a character in the box is its KeyPress, with its code", State::Stays,
     [](Rig& r) { return yes(r.core.character("txtFrameSkip", 50)); }, "1",
     "txtFrameSkip.KeyPress(50) ", "txtFrameSkip"},
    {"a character whose KeyPress moved the focus away goes no further", State::Stays,
     [](Rig& r) {
         r.keyPressMoves = true;
         return yes(r.core.character("txtFrameSkip", 13));
     },
     "0", std::string("txtFrameSkip.KeyPress(13) ") + kLost, "cmdPlay"},
    {"a character elsewhere raises nothing", State::Stays,
     [](Rig& r) {
         r.focus = ControlId("lstDirs");
         return yes(r.core.character("lstDirs", 97));
     },
     "1", "", "lstDirs"},
    {"a character after the program's end stops", State::Ended,
     [](Rig& r) { return yes(r.core.character("txtFrameSkip", 50)); }, "0", "", "txtFrameSkip"},
    {"a click on the focused control is its Click at once", State::Stays,
     [](Rig& r) {
         r.focus = ControlId("cmdPlay");
         r.core.click("cmdPlay", [] {});
         return r.seen;
     },
     kPlay, kPlay, "cmdPlay"},
    {"an assistive click moves the focus from the loop's next turn, then clicks", State::Stays,
     [](Rig& r) { return assist(r); }, "10", std::string(kLost) + kPlay, "cmdPlay"},
    {"an assistive click whose focus move is taken back is undone", State::TakenBack,
     [](Rig& r) { return assist(r); }, "11", std::string(kLost) + kGot, "txtFrameSkip"},
    {"an assistive click after the program's end does nothing", State::Ended,
     [](Rig& r) { return assist(r); }, "10", "", "txtFrameSkip"},
    {"an assistive click whose LostFocus ends the program is neither raised nor undone",
     State::Stays,
     [](Rig& r) {
         r.endsOnLostFocus = true;
         return assist(r);
     },
     "10", kLost, "cmdPlay"},
    {"after an assistive click that quits, the one waiting behind it does nothing", State::Stays,
     [](Rig& r) {
         r.core.click("cmdQuit", [] {});
         return assist(r);
     },
     "10", std::string(kLost) + "cmdQuit.Click ", "cmdQuit"},
    {"a posted event waits for the loop's next turn", State::Stays,
     [](Rig& r) {
         r.core.post("Timer1", EventKind::Timer);
         return r.seen + yes(r.pumpAsked);
     },
     "1", "Timer1.Timer ", "txtFrameSkip"},
    {"Load runs with the list collecting, and the engine settles the list after it", State::Stays,
     [](Rig& r) {
         r.core.load([&r] { r.seen += "settled "; });
         return yes(r.collectingAtLoad);
     },
     "1", "frmVarnsel.Load settled ", "txtFrameSkip"},
    {"a message box's loop inside a handler leaves a waiting assistive click waiting",
     State::Running,
     [](Rig& r) {
         r.state = State::TakenBack;
         r.duringHandler = [&r] {
             r.core.click("cmdPlay", [&r] { ++r.undone; });
             r.core.pump();  // the message box's own loop
         };
         r.core.raise("Timer1", EventKind::Timer);
         r.turnLoop();
         return std::to_string(r.undone);
     },
     "1", std::string("Timer1.Timer ") + kLost + kGot, "txtFrameSkip"},
};

// What a screen reader is told when a value label changes: the controls it
// describes, and the chosen game at once, each with the caption label's text.
TEST(EngineCore, AValueLabelIsReadOutWithItsCaption) {
    const ReadOut game = readOut("lblGame", "kof98");
    const std::vector<std::pair<ControlId, std::string>> described{
        {ControlId("cmdChoseGame"), "Game Selected: kof98"},
        {ControlId("cmdPlay"), "Game Selected: kof98"}};
    EXPECT_EQ(game.descriptions, described);
    EXPECT_EQ(game.announcement, "Game Selected: kof98");
    EXPECT_EQ(readOut("lblDir", "/games").announcement, "");
}

// Whether a control can take the focus is the window's rule, not a
// toolkit's: its kind, whether it shows, and whether its frame does.
TEST(EngineCore, TheFocusGoesOnlyWhereItCanAndPassesOnFromAHiddenControl) {
    Rig rig(State::Stays);
    EXPECT_FALSE(rig.core.canTakeFocus("lblGame"));
    EXPECT_TRUE(rig.core.canTakeFocus("chkVga"));
    rig.hidden.insert("fraOptions");
    EXPECT_FALSE(rig.core.canTakeFocus("chkVga"));
    rig.hidden.clear();
    rig.core.hiding("txtFrameSkip");  // the focus goes on before the box hides
    EXPECT_EQ(rig.focus, ControlId("chkJoystick"));
    rig.core.hiding("lstDirs");  // without the focus, nothing moves
    EXPECT_EQ(rig.focus, ControlId("chkJoystick"));
}

TEST(EngineCore, EnablingARunningTimerDoesNotRestartIt) {
    Rig rig(State::Stays);
    EXPECT_TRUE(rig.core.switchTimer("Timer1", true));
    EXPECT_FALSE(rig.core.switchTimer("Timer1", true));
    EXPECT_TRUE(rig.core.switchTimer("Timer1", false));
    EXPECT_FALSE(rig.core.switchTimer("Timer1", false));
}

TEST(EngineCore, EachInputAgainstEachState) {
    for (const Row& row : kRows) {
        Rig rig(row.state);
        EXPECT_EQ(row.input(rig), row.answers) << row.rule;
        rig.turnLoop();
        EXPECT_EQ(rig.seen, row.seen) << row.rule;
        EXPECT_EQ(rig.focus ? rig.focus->name() : "", row.focus) << row.rule;
    }
}

}  // namespace
}  // namespace varnsel::platform
