// "CHOSE GAME": the list's selection becomes the game.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Choice : public LauncherTest {};

TEST_F(Choice, AnEmptyListIsReported) {
    start();
    window.click("cmdChoseGame");
    EXPECT_EQ(window.messageBoxes(),
              (std::vector<fake::MessageBox>{{"There are no games to play in this directory!",
                                              platform::MessageIcon::Exclamation, "Error"}}));
    EXPECT_EQ(window.caption("lblGame"), "NONE");
    EXPECT_EQ(form.strGame, "");
}

TEST_F(Choice, NothingSelectedIsReportedAndClearsTheGameButNotItsLabel) {
    addGames({"garou", "kof98"});
    start();
    choose("kof98");
    window.clearSelection("lstDirs");
    window.click("cmdChoseGame");
    EXPECT_EQ(window.messageBoxes(),
              (std::vector<fake::MessageBox>{
                  {"You must chose a game first!", platform::MessageIcon::Critical, "Error"}}));
    EXPECT_EQ(form.strGame, "");
    EXPECT_EQ(window.caption("lblGame"), "kof98");
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "C:\\Games\\Neorage.exe        ");
}

TEST_F(Choice, ChoosingTheSameGameTwiceShowsItAgainQuietly) {
    addGames({"garou", "kof98"});
    start();
    choose("garou");
    window.click("cmdChoseGame");
    EXPECT_TRUE(window.messageBoxes().empty());
    EXPECT_EQ(form.strGame, "garou");
    EXPECT_EQ(window.caption("lblGame"), "garou");
}

TEST_F(Choice, ALaterChoiceReplacesTheEarlierOne) {
    addGames({"garou", "kof98"});
    start();
    choose("garou");
    choose("kof98");
    EXPECT_EQ(form.strGame, "kof98");
    EXPECT_EQ(window.caption("lblGame"), "kof98");
}

TEST_F(Choice, SelectingWithoutPressingChoosesNothing) {
    addGames({"garou"});
    start();
    window.selectEntry("lstDirs", 0);
    window.click("cmdPlay");
    EXPECT_EQ(form.strGame, "");
    EXPECT_EQ(lastCommandLine(), "C:\\Games\\Neorage.exe        ");
}

TEST_F(Choice, ReachesEntriesBeyondASixteenBitIndex) {
    for (int i = 0; i < 33000; ++i) files.addDirectory("C:\\Games\\g" + std::to_string(100000 + i));
    start();
    ASSERT_EQ(window.entries("lstDirs").size(), 33000u);
    window.selectEntry("lstDirs", 32999);
    window.click("cmdChoseGame");
    EXPECT_EQ(form.strGame, "g132999");
}

}  // namespace
}  // namespace varnsel::testing
