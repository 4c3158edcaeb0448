// The arrow blinks on two timers that hand over to each other.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Arrow : public LauncherTest {
protected:
    void SetUp() override { start(); }
    bool exactlyOneTimerRuns() const {
        return engine.enabled("Timer1") != engine.enabled("Timer2");
    }
};

TEST_F(Arrow, StartsVisibleWithBothTimersRunning) {
    EXPECT_TRUE(engine.visible("imgArrow"));
    EXPECT_TRUE(engine.enabled("Timer1"));
    EXPECT_TRUE(engine.enabled("Timer2"));
}

TEST_F(Arrow, Timer1FirstHidesIt) {
    ASSERT_TRUE(engine.tick("Timer1"));
    EXPECT_FALSE(engine.visible("imgArrow"));
    EXPECT_TRUE(engine.enabled("Timer2"));
    EXPECT_FALSE(engine.enabled("Timer1"));
}

TEST_F(Arrow, Timer2FirstKeepsItShownAndHandsToTimer1) {
    ASSERT_TRUE(engine.tick("Timer2"));
    EXPECT_TRUE(engine.visible("imgArrow"));
    EXPECT_TRUE(engine.enabled("Timer1"));
    EXPECT_FALSE(engine.enabled("Timer2"));
}

TEST_F(Arrow, AlternatesWithExactlyOneTimerRunning) {
    const fake::Name timer1 = "Timer1", timer2 = "Timer2";
    for (const fake::Name first : {timer1, timer2}) {
        fake::FakeEngine fresh;
        frmVarnsel window(fresh);
        fresh.run(window);
        fresh.tick(first);
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(fresh.enabled("Timer1") != fresh.enabled("Timer2"))
                << first << " tick " << i;
            const bool wasVisible = fresh.visible("imgArrow");
            // Only the running timer ticks; the other stays silent.
            const fake::Name running = fresh.enabled(timer1) ? timer1 : timer2;
            const fake::Name idle = fresh.enabled(timer1) ? timer2 : timer1;
            EXPECT_FALSE(fresh.tick(idle));
            ASSERT_TRUE(fresh.tick(running));
            EXPECT_NE(fresh.visible("imgArrow"), wasVisible) << first << " tick " << i;
        }
    }
}

TEST_F(Arrow, KeepsBlinkingWhileTheUserWorks) {
    engine.click("chkFrameSkip");
    engine.type("2");
    ASSERT_TRUE(engine.tick("Timer1"));
    EXPECT_FALSE(engine.visible("imgArrow"));
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
    EXPECT_TRUE(exactlyOneTimerRuns());
}

}  // namespace
}  // namespace varnsel::testing
