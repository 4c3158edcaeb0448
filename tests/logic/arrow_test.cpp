// The arrow blinks on two timers that hand over to each other.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Arrow : public LauncherTest {
protected:
    void SetUp() override { start(); }
    bool exactlyOneTimerRuns() const {
        return window.enabled("Timer1") != window.enabled("Timer2");
    }
};

TEST_F(Arrow, StartsVisibleWithBothTimersRunning) {
    EXPECT_TRUE(window.visible("imgArrow"));
    EXPECT_TRUE(window.enabled("Timer1"));
    EXPECT_TRUE(window.enabled("Timer2"));
}

TEST_F(Arrow, Timer1FirstHidesIt) {
    ASSERT_TRUE(window.tick("Timer1"));
    EXPECT_FALSE(window.visible("imgArrow"));
    EXPECT_TRUE(window.enabled("Timer2"));
    EXPECT_FALSE(window.enabled("Timer1"));
}

TEST_F(Arrow, Timer2FirstKeepsItShownAndHandsToTimer1) {
    ASSERT_TRUE(window.tick("Timer2"));
    EXPECT_TRUE(window.visible("imgArrow"));
    EXPECT_TRUE(window.enabled("Timer1"));
    EXPECT_FALSE(window.enabled("Timer2"));
}

TEST_F(Arrow, AlternatesWithExactlyOneTimerRunning) {
    const form::Of<form::Kind::Timer> timer1 = "Timer1", timer2 = "Timer2";
    for (const form::Of<form::Kind::Timer> first : {timer1, timer2}) {
        fake::FakeWindow fresh;
        fake::FakeFiles noFiles;
        frmVarnsel launcher(fresh, noFiles);
        fresh.run(launcher);
        fresh.tick(first);
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(fresh.enabled("Timer1") != fresh.enabled("Timer2"))
                << first << " tick " << i;
            const bool wasVisible = fresh.visible("imgArrow");
            // Only the running timer ticks; the other stays silent.
            const form::Of<form::Kind::Timer> running = fresh.enabled(timer1) ? timer1 : timer2;
            const form::Of<form::Kind::Timer> idle = fresh.enabled(timer1) ? timer2 : timer1;
            EXPECT_FALSE(fresh.tick(idle));
            ASSERT_TRUE(fresh.tick(running));
            EXPECT_NE(fresh.visible("imgArrow"), wasVisible) << first << " tick " << i;
        }
    }
}

TEST_F(Arrow, KeepsBlinkingWhileTheUserWorks) {
    window.click("chkFrameSkip");
    window.type("2");
    ASSERT_TRUE(window.tick("Timer1"));
    EXPECT_FALSE(window.visible("imgArrow"));
    EXPECT_EQ(window.focused(), "txtFrameSkip");
    EXPECT_TRUE(exactlyOneTimerRuns());
}

}  // namespace
}  // namespace varnsel::testing
