// The games: the sub-directories of the working directory, found at load.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Scan : public LauncherTest {
protected:
    std::vector<std::string> listed() const { return window.entries("lstDirs"); }
};

TEST_F(Scan, ListsOnlyDirectories) {
    addGames({"kof98"});
    files.addFile("C:\\Games\\readme.txt");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"kof98"});
}

TEST_F(Scan, AFolderOfFilesGivesAnEmptyListAndAWorkingWindow) {
    files.addFile("C:\\Games\\readme.txt");
    start();
    EXPECT_TRUE(listed().empty());
    EXPECT_TRUE(window.messageBoxes().empty());
    EXPECT_TRUE(window.enabled("Timer1"));
}

TEST_F(Scan, SkipsTheDotEntriesButNotOtherDottedNames) {
    addGames({"...", ".x"});
    start();
    EXPECT_EQ(listed(), (std::vector<std::string>{"...", ".x"}));
}

TEST_F(Scan, SkipsHiddenAndSystemDirectories) {
    addGames({"shown"});
    files.addDirectory("C:\\Games\\secret", /*hidden=*/true);
    files.addDirectory("C:\\Games\\System Volume Information", false, /*system=*/true);
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"shown"});
}

TEST_F(Scan, KeepsNamesExactlyAndSortsThemWithoutRegardToCase) {
    addGames({"zeta", "Alpha", "beta", "Metal Slug  X", "\xC3\x89lan", "elan", "ALPHA"});
    start();
    EXPECT_EQ(listed(), (std::vector<std::string>{"ALPHA", "Alpha", "beta", "elan", "\xC3\x89lan",
                                                  "Metal Slug  X", "zeta"}));
    EXPECT_EQ(window.list("lstDirs", 0), "ALPHA");
}

TEST_F(Scan, AtADriveRootFindsTheGamesThere) {
    files.setCurrentDirectory("D:\\");
    files.addDirectory("D:\\kof98");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"kof98"});
}

TEST_F(Scan, PassesOverAnEntryThatVanishedMidScan) {
    addGames({"gone", "kept"});
    files.vanish("C:\\Games\\gone");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(window.messageBoxes().empty());
}

TEST_F(Scan, AnUnreadableDirectoryIsReportedAndWhatWasFoundStays) {
    addGames({"a", "b", "c"});
    // ".", "..", "Neorage.exe" and "a" come back before the read fails.
    files.failEnumeration("C:\\Games", 4, "Access is denied.");
    start();
    EXPECT_EQ(listed(), std::vector<std::string>{"a"});
    EXPECT_EQ(window.messageBoxes(),
              (std::vector<fake::MessageBox>{
                  {"The directory \"C:\\Games\" cannot be read: Access is denied.",
                   platform::MessageIcon::Exclamation, "Error"}}));
    EXPECT_EQ(window.caption("lblDir"), "C:\\Games");
}

TEST_F(Scan, AMissingWorkingDirectoryIsReportedAndTheWindowOpensEmpty) {
    files.failCurrentDirectory("The directory name is invalid.");
    start();
    ASSERT_EQ(window.messageBoxes().size(), 1u);
    EXPECT_EQ(window.messageBoxes()[0],
              (fake::MessageBox{"The current directory cannot be determined: "
                                "The directory name is invalid.",
                                platform::MessageIcon::Exclamation, "Error"}));
    EXPECT_EQ(window.caption("lblDir"), "");
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(window.focused(), "chkScanlines");
}

}  // namespace
}  // namespace varnsel::testing
