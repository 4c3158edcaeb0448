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
        ASSERT_TRUE(engine.click("chkFrameSkip"));
        ASSERT_EQ(engine.focused(), "txtFrameSkip");
    }
    // Leaves the box for "VGA Resolution", the next check box, by a click.
    bool leaveByClick() { return engine.click("chkVga"); }
};

TEST_F(FrameSkip, TickingShowsTheBoxWithTheFocus) {
    tickFrameSkip();
    EXPECT_TRUE(engine.visible("txtFrameSkip"));
    EXPECT_EQ(engine.value("chkFrameSkip"), 1);
}

struct Entry {
    const char* text;
    bool reported;
};

class FrameSkipEntry : public FrameSkip, public ::testing::WithParamInterface<Entry> {};

TEST_P(FrameSkipEntry, EnterChecksTheValueAndKeepsTheFocus) {
    tickFrameSkip();
    engine.type(GetParam().text);
    engine.pressKey(13);
    if (GetParam().reported) {
        EXPECT_EQ(engine.messageBoxes(), std::vector<fake::MessageBox>{kReport});
    } else {
        EXPECT_TRUE(engine.messageBoxes().empty());
    }
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
    EXPECT_EQ(engine.text("txtFrameSkip"), GetParam().text);  // never corrected
    EXPECT_FALSE(engine.ended());
}

TEST_P(FrameSkipEntry, LeavingChecksTheValue) {
    tickFrameSkip();
    engine.type(GetParam().text);
    const bool clickTookEffect = leaveByClick();
    if (GetParam().reported) {
        EXPECT_EQ(engine.messageBoxes(), std::vector<fake::MessageBox>{kReport});
        EXPECT_FALSE(clickTookEffect);
        EXPECT_EQ(engine.value("chkVga"), 0);
        EXPECT_EQ(engine.focused(), "txtFrameSkip");
        EXPECT_EQ(engine.selectedText("txtFrameSkip"), GetParam().text);
    } else {
        EXPECT_TRUE(engine.messageBoxes().empty());
        EXPECT_TRUE(clickTookEffect);
        EXPECT_EQ(engine.focused(), "chkVga");
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
    engine.type("7");
    engine.pressTab();
    EXPECT_EQ(engine.messageBoxes(), std::vector<fake::MessageBox>{kReport});
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
    EXPECT_EQ(engine.selStart("txtFrameSkip"), 0);
    EXPECT_EQ(engine.selLength("txtFrameSkip"), 1);
    engine.type("2");  // retyping replaces the selected text
    engine.pressTab();
    EXPECT_EQ(engine.text("txtFrameSkip"), "2");
    EXPECT_EQ(engine.messageBoxes().size(), 1u);
    EXPECT_EQ(engine.focused(), "chkJoystick");
}

TEST_F(FrameSkip, EveryAttemptToLeaveABadValueReportsAgain) {
    tickFrameSkip();
    engine.type("x");
    leaveByClick();
    engine.pressTab(true);
    EXPECT_FALSE(engine.click("cmdPlay"));
    EXPECT_EQ(engine.messageBoxes().size(), 3u);
    EXPECT_TRUE(engine.starts().empty());  // the click that left the box starts nothing
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
}

TEST_F(FrameSkip, EnterWithABadValueLeavesTheTextUnselected) {
    tickFrameSkip();
    engine.type("9");
    engine.pressKey(13);
    EXPECT_EQ(engine.selLength("txtFrameSkip"), 0);
    EXPECT_EQ(engine.selStart("txtFrameSkip"), 1);
}

// Only Enter checks the value: Escape, like any other key, is the box's own.
// (Enter and Escape elsewhere press no button: the engines see to that, and
// their suites press them on the real windows.)
TEST_F(FrameSkip, EscapeWithABadValueReportsNothing) {
    tickFrameSkip();
    engine.type("9");
    engine.pressKey(27);
    EXPECT_TRUE(engine.messageBoxes().empty());
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
}

TEST_F(FrameSkip, UntickingHidesTheBoxAndKeepsItsText) {
    tickFrameSkip();
    engine.type("3");
    ASSERT_TRUE(engine.click("chkFrameSkip"));
    EXPECT_FALSE(engine.visible("txtFrameSkip"));
    EXPECT_EQ(engine.text("txtFrameSkip"), "3");

    tickFrameSkip();
    EXPECT_TRUE(engine.visible("txtFrameSkip"));
    EXPECT_EQ(engine.selectedText("txtFrameSkip"), "3");
}

TEST_F(FrameSkip, SelectionCountsCharactersNotBytes) {
    tickFrameSkip();
    engine.type("\xC3\xA9\xC3\xA9");  // two letters e with acute, four bytes
    engine.pressTab();
    EXPECT_EQ(engine.selLength("txtFrameSkip"), 2);
}

TEST_F(FrameSkip, TheSpaceBarTicksTheBoxLikeAClick) {
    engine.setFocus("chkFrameSkip");
    engine.pressKey(' ');
    EXPECT_TRUE(engine.visible("txtFrameSkip"));
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
}

}  // namespace
}  // namespace varnsel::testing
