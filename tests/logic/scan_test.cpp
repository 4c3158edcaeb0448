// The games: the sub-directories of the working directory, found at load.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Scan : public LauncherTest {
protected:
    std::vector<std::string> listed() const { return engine.entries("lstDirs"); }
};

TEST_F(Scan, ListsOnlyDirectories) {
    addGames({"kof98"});
    engine.addFile("C:\\Games\\readme.txt");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"kof98"});
}

TEST_F(Scan, AFolderOfFilesGivesAnEmptyListAndAWorkingWindow) {
    engine.addFile("C:\\Games\\readme.txt");
    start();
    EXPECT_TRUE(listed().empty());
    EXPECT_TRUE(engine.messageBoxes().empty());
    EXPECT_TRUE(engine.enabled("Timer1"));
}

TEST_F(Scan, SkipsTheDotEntriesButNotOtherDottedNames) {
    addGames({"...", ".x"});
    start();
    EXPECT_EQ(listed(), (std::vector<std::string>{"...", ".x"}));
}

TEST_F(Scan, SkipsHiddenAndSystemDirectories) {
    addGames({"shown"});
    engine.addDirectory("C:\\Games\\secret", /*hidden=*/true);
    engine.addDirectory("C:\\Games\\System Volume Information", false, /*system=*/true);
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"shown"});
}

TEST_F(Scan, KeepsNamesExactlyAndSortsThemWithoutRegardToCase) {
    addGames({"zeta", "Alpha", "beta", "Metal Slug  X", "\xC3\x89lan", "elan", "ALPHA"});
    start();
    EXPECT_EQ(listed(), (std::vector<std::string>{"ALPHA", "Alpha", "beta", "elan", "\xC3\x89lan",
                                                  "Metal Slug  X", "zeta"}));
    EXPECT_EQ(engine.list("lstDirs", 0), "ALPHA");
}

TEST_F(Scan, AtADriveRootFindsTheGamesThere) {
    engine.setCurrentDirectory("D:\\");
    engine.addDirectory("D:\\kof98");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"kof98"});
}

TEST_F(Scan, PassesOverAnEntryThatVanishedMidScan) {
    addGames({"gone", "kept"});
    engine.vanish("C:\\Games\\gone");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(engine.messageBoxes().empty());
}

TEST_F(Scan, AnUnreadableDirectoryIsReportedAndWhatWasFoundStays) {
    addGames({"a", "b", "c"});
    // ".", "..", "Neorage.exe" and "a" come back before the read fails.
    engine.failEnumeration("C:\\Games", 4, "Access is denied.");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"a"});
    EXPECT_EQ(engine.messageBoxes(),
              (std::vector<fake::MessageBox>{
                  {"The directory \"C:\\Games\" cannot be read: Access is denied.",
                   platform::MessageIcon::Exclamation, "Error"}}));
    EXPECT_EQ(engine.caption("lblDir"), "C:\\Games");
}

TEST_F(Scan, AMissingWorkingDirectoryIsReportedAndTheWindowOpensEmpty) {
    engine.failCurrentDirectory("The directory name is invalid.");
    start();
    ASSERT_EQ(engine.messageBoxes().size(), 1u);
    EXPECT_EQ(engine.messageBoxes()[0],
              (fake::MessageBox{"The current directory cannot be determined: "
                                "The directory name is invalid.",
                                platform::MessageIcon::Exclamation, "Error"}));
    EXPECT_EQ(engine.caption("lblDir"), "");
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(engine.focused(), "chkScanlines");
}

}  // namespace
}  // namespace varnsel::testing
