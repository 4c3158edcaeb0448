// The command line "PLAY" composes, and what happens around the start.
#include "launch/command_line.hpp"

#include "app/messages.hpp"
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

struct LineCase {
    const char* name;
    const char* directory;
    const char* game;
    launch::Fragments fragments;
    const char* program;
    const char* line;
};

const launch::Fragments kAllOff{};
const launch::Fragments kAllOn{"-s", "-v", "-vga", "-f3", "-noanalyse", "-j", "-modex"};

class Composition : public ::testing::TestWithParam<LineCase> {};

TEST_P(Composition, IsExactlyTheLine) {
    const LineCase& c = GetParam();
    const auto line = launch::composeCommandLine(c.directory, '\\', c.game, c.fragments);
    EXPECT_EQ(line.program, c.program);
    EXPECT_EQ(line.text, c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Composition,
    ::testing::Values(
        LineCase{"everyOptionOff", "C:\\Games", "kof98", kAllOff, "C:\\Games\\Neorage.exe",
                 "C:\\Games\\Neorage.exe kof98       "},
        LineCase{"everyOptionOn", "C:\\Games", "kof98", kAllOn, "C:\\Games\\Neorage.exe",
                 "C:\\Games\\Neorage.exe kof98 -s -v -vga -f3 -noanalyse -j -modex"},
        LineCase{"noGame", "C:\\Games", "", kAllOn, "C:\\Games\\Neorage.exe",
                 "C:\\Games\\Neorage.exe  -s -v -vga -f3 -noanalyse -j -modex"},
        LineCase{"driveRoot", "C:\\", "kof98", kAllOff, "C:\\\\Neorage.exe",
                 "C:\\\\Neorage.exe kof98       "},
        // A game is quoted only when it must be, so that it stays one argument.
        LineCase{"gameWithBlanksQuoted", "C:\\Games", "Metal Slug", kAllOff,
                 "C:\\Games\\Neorage.exe", "C:\\Games\\Neorage.exe \"Metal Slug\"       "},
        LineCase{"gameWithAQuoteEscaped", "/g", "quo\"te", kAllOff, "/g\\Neorage.exe",
                 "/g\\Neorage.exe \"quo\\\"te\"       "},
        LineCase{"gameWithABackslashAsItIs", "C:\\Games", "back\\slash", kAllOff,
                 "C:\\Games\\Neorage.exe", "C:\\Games\\Neorage.exe back\\slash       "},
        LineCase{"gameEndingInABackslashWithABlank", "/g", "end in\\", kAllOff, "/g\\Neorage.exe",
                 "/g\\Neorage.exe \"end in\\\\\"       "},
        LineCase{"gameWithATabQuoted", "/g", "a\tb", kAllOn, "/g\\Neorage.exe",
                 "/g\\Neorage.exe \"a\tb\" -s -v -vga -f3 -noanalyse -j -modex"},
        LineCase{"directoryWithBlankQuoted", "C:\\My Games", "kof98", kAllOff,
                 "C:\\My Games\\Neorage.exe", "\"C:\\My Games\\Neorage.exe\" kof98       "},
        LineCase{"directoryWithTabQuoted", "C:\\a\tb", "x", kAllOff, "C:\\a\tb\\Neorage.exe",
                 "\"C:\\a\tb\\Neorage.exe\" x       "},
        LineCase{"otherCharactersUntouched", "C:\\Rock&Roll'", "g", kAllOff,
                 "C:\\Rock&Roll'\\Neorage.exe", "C:\\Rock&Roll'\\Neorage.exe g       "}),
    [](const auto& info) { return std::string(info.param.name); });

class Play : public LauncherTest {};

TEST_F(Play, WithoutAChosenGameStillStartsTheEmulator) {
    start();
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "C:\\Games\\Neorage.exe        ");
}

TEST_F(Play, ReadsTheDirectoryAtTheMomentOfTheLaunch) {
    addGames({"kof98"});
    start();
    choose("kof98");
    files.setCurrentDirectory("D:\\");
    files.addFile("D:\\Neorage.exe");
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "D:\\\\Neorage.exe kof98       ");
}

TEST_F(Play, TwoPressesStartTwoEmulators) {
    addGames({"kof98"});
    start();
    choose("kof98");
    window.click("cmdPlay");
    window.click("cmdPlay");
    ASSERT_EQ(files.starts().size(), 2u);
    EXPECT_EQ(files.starts()[0].commandLine, files.starts()[1].commandLine);
}

TEST_F(Play, AFailedStartIsReportedAndTheWindowStaysUsable) {
    files.setCurrentDirectory("C:\\Empty");
    files.addDirectory("C:\\Empty\\kof98");
    start();
    choose("kof98");
    window.click("cmdPlay");
    EXPECT_TRUE(files.starts().empty());
    ASSERT_EQ(window.messageBoxes().size(), 1u);
    const fake::MessageBox& box = window.messageBoxes()[0];
    EXPECT_EQ(box.icon, platform::MessageIcon::Critical);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.message,
              "The emulator \"C:\\Empty\\Neorage.exe\" cannot be started: "
              "The system cannot find the file specified.");
    EXPECT_FALSE(window.ended());

    files.addFile("C:\\Empty\\Neorage.exe");
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "C:\\Empty\\Neorage.exe kof98       ");
}

TEST_F(Play, AStartTheSystemRefusesNamesItsReason) {
    start();
    files.failStarts("Access is denied.");
    window.click("cmdPlay");
    ASSERT_EQ(window.messageBoxes().size(), 1u);
    EXPECT_EQ(window.messageBoxes()[0].message,
              "The emulator \"C:\\Games\\Neorage.exe\" cannot be started: Access is denied.");
}

TEST_F(Play, ALostWorkingDirectoryIsReportedInsteadOfAStart) {
    start();
    files.failCurrentDirectory("The directory has been removed.");
    window.click("cmdPlay");
    EXPECT_TRUE(files.starts().empty());
    ASSERT_EQ(window.messageBoxes().size(), 1u);
    EXPECT_EQ(window.messageBoxes()[0].title, "Error");
}

}  // namespace
}  // namespace varnsel::testing
