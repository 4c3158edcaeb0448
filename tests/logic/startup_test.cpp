// The window right after start, before any input.
#include "app/start.hpp"
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

class Startup : public LauncherTest {};

TEST_F(Startup, EveryControlIsInItsInitialState) {
    addGames({"kof98"});
    start();
    for (fake::Name box :
         std::initializer_list<fake::Name>{"chkScanlines", "chkVsync", "chkFrameSkip", "chkVga",
                                           "chkSkipCode", "chkJoystick", "chkModeX"}) {
        EXPECT_EQ(engine.value(box), 0) << box;
    }
    EXPECT_FALSE(engine.visible("txtFrameSkip"));
    EXPECT_EQ(engine.text("txtFrameSkip"), "");
    EXPECT_EQ(engine.caption("lblGame"), "NONE");
    EXPECT_EQ(engine.caption("lblDir"), "C:\\Games");
    EXPECT_EQ(engine.entries("lstDirs"), std::vector<std::string>{"kof98"});
    EXPECT_FALSE(engine.selectedIndex("lstDirs").has_value());
    EXPECT_TRUE(engine.visible("imgArrow"));
    EXPECT_TRUE(engine.enabled("Timer1"));
    EXPECT_TRUE(engine.enabled("Timer2"));
    EXPECT_EQ(engine.focused(), "chkScanlines");
    EXPECT_EQ(form.strGame, "");
    EXPECT_TRUE(engine.messageBoxes().empty());
}

TEST_F(Startup, OneArgumentOpensTheLauncherOnThatDirectory) {
    engine.addDirectory("D:\\Roms\\mslug");
    EXPECT_EQ(startLauncher(engine, {"D:\\Roms"}), 0);
    EXPECT_EQ(engine.caption("lblDir"), "D:\\Roms");
    EXPECT_EQ(engine.entries("lstDirs"), std::vector<std::string>{"mslug"});
}

TEST_F(Startup, ADirectoryThatCannotBeEnteredIsReportedAndEndsTheProgram) {
    EXPECT_EQ(startLauncher(engine, {"D:\\Nowhere"}), 1);
    EXPECT_EQ(engine.messageBoxes(),
              (std::vector<fake::MessageBox>{
                  {"The directory \"D:\\Nowhere\" cannot be opened: The system cannot find the "
                   "path specified.",
                   platform::MessageIcon::Exclamation, "Error"}}));
    EXPECT_TRUE(engine.delivered().empty());  // no window loads
}

TEST_F(Startup, LoadRunsBeforeTheFirstFocus) {
    start();
    ASSERT_FALSE(engine.delivered().empty());
    EXPECT_EQ(engine.delivered().front(),
              (fake::DeliveredEvent{"frmVarnsel", platform::EventKind::Load}));
}

TEST_F(Startup, ADriveRootIsShownWithItsSeparator) {
    engine.setCurrentDirectory("C:\\");
    start();
    EXPECT_EQ(engine.caption("lblDir"), "C:\\");
}

TEST_F(Startup, TheSpaceBarPressesTheFocusedButton) {
    start();
    engine.setFocus("cmdPlay");
    engine.pressKey(' ');
    EXPECT_EQ(engine.starts().size(), 1u);
}

}  // namespace
}  // namespace varnsel::testing
