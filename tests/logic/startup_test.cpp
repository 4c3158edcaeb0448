// The window right after start, before any input.
#include "app/start.hpp"
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Startup : public LauncherTest {};

TEST_F(Startup, EveryControlIsInItsInitialState) {
    addGames({"kof98"});
    start();
    for (form::Of<form::Kind::CheckBox> box : std::initializer_list<form::Of<form::Kind::CheckBox>>{
             "chkScanlines", "chkVsync", "chkFrameSkip", "chkVga", "chkSkipCode", "chkJoystick",
             "chkModeX"}) {
        EXPECT_EQ(window.value(box), 0) << box;
    }
    EXPECT_FALSE(window.visible("txtFrameSkip"));
    EXPECT_EQ(window.text("txtFrameSkip"), "");
    EXPECT_EQ(window.caption("lblGame"), "NONE");
    EXPECT_EQ(window.caption("lblDir"), "C:\\Games");
    EXPECT_EQ(window.entries("lstDirs"), std::vector<std::string>{"kof98"});
    EXPECT_FALSE(window.selectedIndex("lstDirs").has_value());
    EXPECT_TRUE(window.visible("imgArrow"));
    EXPECT_TRUE(window.enabled("Timer1"));
    EXPECT_TRUE(window.enabled("Timer2"));
    EXPECT_EQ(window.focused(), "chkScanlines");
    EXPECT_EQ(form.strGame, "");
    EXPECT_TRUE(window.messageBoxes().empty());
}

TEST_F(Startup, OneArgumentOpensTheLauncherOnThatDirectory) {
    files.addDirectory("D:\\Roms\\mslug");
    EXPECT_EQ(startLauncher(window, files, {"D:\\Roms"}), 0);
    EXPECT_EQ(window.caption("lblDir"), "D:\\Roms");
    EXPECT_EQ(window.entries("lstDirs"), std::vector<std::string>{"mslug"});
}

TEST_F(Startup, ADirectoryThatCannotBeEnteredIsReportedAndEndsTheProgram) {
    EXPECT_EQ(startLauncher(window, files, {"D:\\Nowhere"}), 1);
    EXPECT_EQ(window.messageBoxes(),
              (std::vector<fake::MessageBox>{
                  {"The directory \"D:\\Nowhere\" cannot be opened: The system cannot find the "
                   "path specified.",
                   platform::MessageIcon::Exclamation, "Error"}}));
    EXPECT_TRUE(window.delivered().empty());  // no window loads
}

TEST_F(Startup, LoadRunsBeforeTheFirstFocus) {
    start();
    ASSERT_FALSE(window.delivered().empty());
    EXPECT_EQ(window.delivered().front(),
              (fake::DeliveredEvent{"frmVarnsel", platform::EventKind::Load}));
}

TEST_F(Startup, ADriveRootIsShownWithItsSeparator) {
    files.setCurrentDirectory("C:\\");
    start();
    EXPECT_EQ(window.caption("lblDir"), "C:\\");
}

TEST_F(Startup, TheSpaceBarPressesTheFocusedButton) {
    start();
    window.focusOn("cmdPlay");
    window.pressKey(' ');
    EXPECT_EQ(files.starts().size(), 1u);
}

}  // namespace
}  // namespace varnsel::testing
