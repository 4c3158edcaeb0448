// One launch from start to finish, as a user goes through it.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Road : public LauncherTest {};

TEST_F(Road, FromChoiceThroughFrameSkipToAStartedEmulator) {
    addGames({"mslug", "kof98", "garou"});
    start();
    ASSERT_EQ(window.entries("lstDirs"), (std::vector<std::string>{"garou", "kof98", "mslug"}));

    choose("kof98");
    EXPECT_EQ(form.strGame, "kof98");
    EXPECT_EQ(window.caption("lblGame"), "kof98");

    window.click("chkFrameSkip");
    EXPECT_TRUE(window.visible("txtFrameSkip"));
    EXPECT_EQ(window.focused(), "txtFrameSkip");
    window.type("2");
    window.pressKey(13);
    EXPECT_TRUE(window.messageBoxes().empty());

    window.click("cmdPlay");
    ASSERT_EQ(files.starts().size(), 1u);
    const fake::Start& started = files.starts()[0];
    EXPECT_EQ(started.program, "C:\\Games\\Neorage.exe");
    EXPECT_EQ(started.commandLine, "C:\\Games\\Neorage.exe kof98    -f2   ");
    EXPECT_EQ(started.windowStyle, platform::kNormalWindowWithFocus);
    EXPECT_EQ(started.workingDirectory, "C:\\Games");
    EXPECT_TRUE(window.messageBoxes().empty());
    EXPECT_FALSE(window.ended());  // the launcher stays for the next game
}

TEST_F(Road, QuitEndsTheLauncherAndNothingRunsAfterIt) {
    start();
    window.click("cmdQuit");
    EXPECT_TRUE(window.ended());
    const auto delivered = window.delivered().size();
    window.tick("Timer1");
    EXPECT_EQ(window.delivered().size(), delivered);
    EXPECT_TRUE(window.visible("imgArrow"));
}

}  // namespace
}  // namespace varnsel::testing
