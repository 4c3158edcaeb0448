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
    for (const char* first : {"Timer1", "Timer2"}) {
        fake::FakeEngine fresh;
        frmVarnsel window(fresh);
        fresh.run(window);
        fresh.tick(first);
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(fresh.enabled("Timer1") != fresh.enabled("Timer2"))
                << first << " tick " << i;
            const bool wasVisible = fresh.visible("imgArrow");
            // Only the running timer ticks; the other stays silent.
            const char* running = fresh.enabled("Timer1") ? "Timer1" : "Timer2";
            const char* idle = fresh.enabled("Timer1") ? "Timer2" : "Timer1";
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
