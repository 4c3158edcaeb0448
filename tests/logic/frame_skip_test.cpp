// The frame-skip box: shown by its check box, its text selected on entry, and
// a bad value reported with the focus kept in the box.
#include "app/messages.hpp"
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

const fake::MessageBox kReport{"Frame skip value must be a number between 1 and 4!",
                               platform::MessageIcon::Exclamation, "Frame skip value error"};

class FrameSkip : public LauncherTest {
protected:
    void SetUp() override {
        addGames({"g"});
        start();
    }
    void tickFrameSkip() {
        ASSERT_TRUE(window.click("chkFrameSkip"));
        ASSERT_EQ(window.focused(), "txtFrameSkip");
    }
    // Leaves the box for "VGA Resolution", the next check box, by a click.
    bool leaveByClick() { return window.click("chkVga"); }
};

TEST_F(FrameSkip, TickingShowsTheBoxWithTheFocus) {
    tickFrameSkip();
    EXPECT_TRUE(window.visible("txtFrameSkip"));
    EXPECT_EQ(window.value("chkFrameSkip"), 1);
}

struct Entry {
    const char* text;
    bool reported;
};

class FrameSkipEntry : public FrameSkip, public ::testing::WithParamInterface<Entry> {};

TEST_P(FrameSkipEntry, EnterChecksTheValueAndKeepsTheFocus) {
    tickFrameSkip();
    window.type(GetParam().text);
    window.pressKey(13);
    if (GetParam().reported) {
        EXPECT_EQ(window.messageBoxes(), std::vector<fake::MessageBox>{kReport});
    } else {
        EXPECT_TRUE(window.messageBoxes().empty());
    }
    EXPECT_EQ(window.focused(), "txtFrameSkip");
    EXPECT_EQ(window.text("txtFrameSkip"), GetParam().text);  // never corrected
    EXPECT_FALSE(window.ended());
}

TEST_P(FrameSkipEntry, LeavingChecksTheValue) {
    tickFrameSkip();
    window.type(GetParam().text);
    const bool clickTookEffect = leaveByClick();
    if (GetParam().reported) {
        EXPECT_EQ(window.messageBoxes(), std::vector<fake::MessageBox>{kReport});
        EXPECT_FALSE(clickTookEffect);
        EXPECT_EQ(window.value("chkVga"), 0);
        EXPECT_EQ(window.focused(), "txtFrameSkip");
        EXPECT_EQ(window.selectedText("txtFrameSkip"), GetParam().text);
    } else {
        EXPECT_TRUE(window.messageBoxes().empty());
        EXPECT_TRUE(clickTookEffect);
        EXPECT_EQ(window.focused(), "chkVga");
    }
}

INSTANTIATE_TEST_SUITE_P(Values, FrameSkipEntry,
                         ::testing::Values(Entry{"3", false}, Entry{"1", false}, Entry{"4", false},
                                           Entry{"2.5", false}, Entry{"4.5", false},
                                           Entry{"0", true}, Entry{"5", true}, Entry{"-1", true},
                                           Entry{"", true}, Entry{"abc", true}, Entry{"0.5", true},
                                           Entry{"4.6", true}, Entry{"999999", true},
                                           Entry{"1e400", true}),
                         [](const auto& info) {
                             std::string name;
                             for (char c : std::string(info.param.text)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return "text_" + name + (info.param.reported ? "_reported" : "_valid");
                         });

TEST_F(FrameSkip, TabAwayWithABadValueComesBackSelected) {
    tickFrameSkip();
    window.type("7");
    window.pressTab();
    EXPECT_EQ(window.messageBoxes(), std::vector<fake::MessageBox>{kReport});
    EXPECT_EQ(window.focused(), "txtFrameSkip");
    EXPECT_EQ(window.selStart("txtFrameSkip"), 0);
    EXPECT_EQ(window.selLength("txtFrameSkip"), 1);
    window.type("2");  // retyping replaces the selected text
    window.pressTab();
    EXPECT_EQ(window.text("txtFrameSkip"), "2");
    EXPECT_EQ(window.messageBoxes().size(), 1u);
    EXPECT_EQ(window.focused(), "chkJoystick");
}

TEST_F(FrameSkip, EveryAttemptToLeaveABadValueReportsAgain) {
    tickFrameSkip();
    window.type("x");
    leaveByClick();
    window.pressTab(true);
    EXPECT_FALSE(window.click("cmdPlay"));
    EXPECT_EQ(window.messageBoxes().size(), 3u);
    EXPECT_TRUE(files.starts().empty());  // the click that left the box starts nothing
    EXPECT_EQ(window.focused(), "txtFrameSkip");
}

TEST_F(FrameSkip, AnAssistivePressAwayFromABadValueIsTakenBack) {
    tickFrameSkip();
    window.type("9");
    window.assist("chkVga");
    window.assist("cmdPlay");
    EXPECT_EQ(window.messageBoxes().size(), 2u);
    EXPECT_EQ(window.value("chkVga"), 0);
    EXPECT_TRUE(files.starts().empty());
    EXPECT_EQ(window.focused(), "txtFrameSkip");
}

TEST_F(FrameSkip, EnterWithABadValueLeavesTheTextUnselected) {
    tickFrameSkip();
    window.type("9");
    window.pressKey(13);
    EXPECT_EQ(window.selLength("txtFrameSkip"), 0);
    EXPECT_EQ(window.selStart("txtFrameSkip"), 1);
}

// Only Enter checks the value: Escape, like any other key, is the box's own.
// (Enter and Escape elsewhere press no button: the engines see to that, and
// their suites press them on the real windows.)
TEST_F(FrameSkip, EscapeWithABadValueReportsNothing) {
    tickFrameSkip();
    window.type("9");
    window.pressKey(27);
    EXPECT_TRUE(window.messageBoxes().empty());
    EXPECT_EQ(window.focused(), "txtFrameSkip");
}

TEST_F(FrameSkip, UntickingHidesTheBoxAndKeepsItsText) {
    tickFrameSkip();
    window.type("3");
    ASSERT_TRUE(window.click("chkFrameSkip"));
    EXPECT_FALSE(window.visible("txtFrameSkip"));
    EXPECT_EQ(window.text("txtFrameSkip"), "3");

    tickFrameSkip();
    EXPECT_TRUE(window.visible("txtFrameSkip"));
    EXPECT_EQ(window.selectedText("txtFrameSkip"), "3");
}

TEST_F(FrameSkip, SelectionCountsCharactersNotBytes) {
    tickFrameSkip();
    window.type("\xC3\xA9\xC3\xA9");  // two letters e with acute, four bytes
    window.pressTab();
    EXPECT_EQ(window.selLength("txtFrameSkip"), 2);
}

TEST_F(FrameSkip, TheSpaceBarTicksTheBoxLikeAClick) {
    window.focusOn("chkFrameSkip");
    window.pressKey(' ');
    EXPECT_TRUE(window.visible("txtFrameSkip"));
    EXPECT_EQ(window.focused(), "txtFrameSkip");
}

}  // namespace
}  // namespace varnsel::testing
