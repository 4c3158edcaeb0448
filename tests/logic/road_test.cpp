// One launch from start to finish, as a user goes through it.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Road : public LauncherTest {};

TEST_F(Road, FromChoiceThroughFrameSkipToAStartedEmulator) {
    addGames({"mslug", "kof98", "garou"});
    start();
    ASSERT_EQ(engine.entries("lstDirs"), (std::vector<std::string>{"garou", "kof98", "mslug"}));

    choose("kof98");
    EXPECT_EQ(form.strGame, "kof98");
    EXPECT_EQ(engine.caption("lblGame"), "kof98");

    engine.click("chkFrameSkip");
    EXPECT_TRUE(engine.visible("txtFrameSkip"));
    EXPECT_EQ(engine.focused(), "txtFrameSkip");
    engine.type("2");
    engine.pressKey(13);
    EXPECT_TRUE(engine.messageBoxes().empty());

    engine.click("cmdPlay");
    ASSERT_EQ(engine.starts().size(), 1u);
    const fake::Start& started = engine.starts()[0];
    EXPECT_EQ(started.program, "C:\\Games\\Neorage.exe");
    EXPECT_EQ(started.commandLine, "C:\\Games\\Neorage.exe kof98    -f2   ");
    EXPECT_EQ(started.windowStyle, platform::kNormalWindowWithFocus);
    EXPECT_EQ(started.workingDirectory, "C:\\Games");
    EXPECT_TRUE(engine.messageBoxes().empty());
    EXPECT_FALSE(engine.ended());  // the launcher stays for the next game
}

TEST_F(Road, QuitEndsTheLauncherAndNothingRunsAfterIt) {
    start();
    engine.click("cmdQuit");
    EXPECT_TRUE(engine.ended());
    const auto delivered = engine.delivered().size();
    engine.tick("Timer1");
    EXPECT_EQ(engine.delivered().size(), delivered);
    EXPECT_TRUE(engine.visible("imgArrow"));
}

}  // namespace
}  // namespace varnsel::testing
