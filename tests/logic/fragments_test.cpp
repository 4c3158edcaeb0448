// The option switches as "PLAY" reads them from the check boxes.
#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

struct Option {
    form::Of<form::Kind::CheckBox> box;
    const char* fragment;
    std::string frmVarnsel::*variable;
};

// In the order the boxes are read.
const Option kOptions[] = {
    {"chkScanlines", "-s", &frmVarnsel::varScanlines},
    {"chkVsync", "-v", &frmVarnsel::varVsync},
    {"chkFrameSkip", "-f3", &frmVarnsel::varFrameSkip},
    {"chkVga", "-vga", &frmVarnsel::varVga},
    {"chkSkipCode", "-noanalyse", &frmVarnsel::varSkipCode},
    {"chkJoystick", "-j", &frmVarnsel::varJoystick},
    {"chkModeX", "-modex", &frmVarnsel::strModeX},
};

class Fragments : public LauncherTest {
protected:
    void SetUp() override {
        addGames({"g"});
        start();
        choose("g");
        window.setText("txtFrameSkip", "3");
    }
};

TEST_F(Fragments, EachBoxAloneGivesItsSwitchInItsPlaceOnTheLine) {
    // Command-line slots: VGA stands before frame skip.
    const std::map<std::string, std::string> expected{
        {"chkScanlines", "C:\\Games\\Neorage.exe g -s      "},
        {"chkVsync", "C:\\Games\\Neorage.exe g  -v     "},
        {"chkVga", "C:\\Games\\Neorage.exe g   -vga    "},
        {"chkFrameSkip", "C:\\Games\\Neorage.exe g    -f3   "},
        {"chkSkipCode", "C:\\Games\\Neorage.exe g     -noanalyse  "},
        {"chkJoystick", "C:\\Games\\Neorage.exe g      -j "},
        {"chkModeX", "C:\\Games\\Neorage.exe g       -modex"},
    };
    for (const Option& option : kOptions) {
        for (const Option& other : kOptions) window.setValue(other.box, 0);
        window.setValue(option.box, 1);
        window.click("cmdPlay");
        EXPECT_EQ(lastCommandLine(), expected.at(std::string(option.box.id.name()))) << option.box;
        for (const Option& other : kOptions) {
            EXPECT_EQ(form.*other.variable, &other == &option ? other.fragment : "")
                << option.box << " ticked, " << other.box << " read";
        }
    }
}

TEST_F(Fragments, AGrayedBoxCountsAsOff) {
    for (const Option& option : kOptions) window.setValue(option.box, 2);
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "C:\\Games\\Neorage.exe g       ");
}

TEST_F(Fragments, EveryPressOverwritesAllSeven) {
    for (const Option& option : kOptions) window.setValue(option.box, 1);
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "C:\\Games\\Neorage.exe g -s -v -vga -f3 -noanalyse -j -modex");
    for (const Option& option : kOptions) window.setValue(option.box, 0);
    window.click("cmdPlay");
    EXPECT_EQ(lastCommandLine(), "C:\\Games\\Neorage.exe g       ");
    for (const Option& option : kOptions) EXPECT_EQ(form.*option.variable, "") << option.box;
}

TEST_F(Fragments, TheFrameSkipTextGoesOnAsTypedButForTheBlanksAroundIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.6", "-f0.6"},  // accepted because it rounds to 1, but passed on unrounded
        {" 2 ", "-f2"},    // one argument, not "-f" and "2"
        {"+2", "-f+2"},   {" ", "-f"}, {"", "-f"}, {"2abc", "-f2abc"},  // no second check at launch
    };
    window.setValue("chkFrameSkip", 1);
    for (const auto& [text, fragment] : cases) {
        window.setText("txtFrameSkip", text);
        window.click("cmdPlay");
        EXPECT_EQ(form.varFrameSkip, fragment) << '"' << text << '"';
    }
}

TEST_F(Fragments, TheFrameSkipTextIsReadEvenWhileTheBoxIsHidden) {
    window.setValue("chkFrameSkip", 1);
    ASSERT_FALSE(window.visible("txtFrameSkip"));
    window.click("cmdPlay");
    EXPECT_EQ(form.varFrameSkip, "-f3");
}

}  // namespace
}  // namespace varnsel::testing
