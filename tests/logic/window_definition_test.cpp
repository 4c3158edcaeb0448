// The window table: the facts every backend builds on.
#include "form/window_definition.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/logic/launcher.hpp"

namespace varnsel::testing {
namespace {

using form::Kind;

TEST(WindowDefinition, HoldsTwentyThreeControlsWithUniqueNames) {
    std::set<std::string_view> names;
    for (const auto& c : form::kControls) names.insert(c.name);
    EXPECT_EQ(names.size(), 23u);
    EXPECT_EQ(form::kWindow.caption, "Varnsel v0.1 ");
    EXPECT_EQ(form::kWindow.clientWidth / form::kTwipsPerPixelAt96Dpi, 769);
    EXPECT_EQ(form::kWindow.clientHeight / form::kTwipsPerPixelAt96Dpi, 505);
}

TEST(WindowDefinition, TabIndexesRunFromZeroToNineteenWithoutGapOrRepeat) {
    std::vector<int> indexes;
    for (const auto& c : form::kControls) {
        if (c.tabIndex != form::kNoTabIndex) indexes.push_back(c.tabIndex);
    }
    std::sort(indexes.begin(), indexes.end());
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i) expected[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(indexes, expected);
}

TEST(WindowDefinition, TheFrameHoldsItsEightChildrenRightAfterIt) {
    const auto frame = std::find_if(form::kControls.begin(), form::kControls.end(),
                                    [](const auto& c) { return c.name == "fraOptions"; });
    ASSERT_NE(frame, form::kControls.end());
    int children = 0;
    for (auto it = frame + 1; it != form::kControls.end() && it->container == "fraOptions"; ++it) {
        ++children;
    }
    EXPECT_EQ(children, 8);
    EXPECT_EQ(std::count_if(form::kControls.begin(), form::kControls.end(),
                            [](const auto& c) { return !c.container.empty(); }),
              8);
}

TEST(WindowDefinition, EveryContainerIsAFrameOfTheTable) {
    for (const auto& c : form::kControls) {
        if (!c.container.empty()) {
            const auto container =
                form::containerOf(form::ControlId(static_cast<int>(&c - form::kControls.data())));
            ASSERT_NE(container, form::kForm) << c.name;
            EXPECT_EQ(form::def(container).kind, Kind::Frame) << c.name;
        }
    }
}

TEST(WindowDefinition, EveryControlCarriesAnAccessibleNameOrReadsOutItsText) {
    for (const auto& c : form::kControls) {
        const form::ControlId control(static_cast<int>(&c - form::kControls.data()));
        const bool labelled = std::any_of(form::kLabelledBy.begin(), form::kLabelledBy.end(),
                                          [&](const auto& r) { return r.control == control; });
        if (c.kind == Kind::Timer) continue;
        if (form::accessibleName(control).empty()) {
            EXPECT_TRUE(c.kind == Kind::Label && labelled) << c.name;
        }
    }
    for (const auto& r : form::kLabelledBy) EXPECT_EQ(form::def(r.label).kind, Kind::Label);
    // Derived where no row names it: the label above, the caption, or none
    // for a value label, which is read out with its text.
    const struct {
        form::ControlId control;
        std::string_view name;
    } derived[] = {{"lstDirs", "Games in this directory:"},
                   {"chkVga", "VGA Resolution"},
                   {"fraOptions", "Options"},
                   {"lblNom", form::kCredit},
                   {"lblGame", ""},
                   {"txtFrameSkip", "Frame skip value, 1 to 4"}};
    for (const auto& d : derived) EXPECT_EQ(form::accessibleName(d.control), d.name);
}

const std::vector<std::string> kFocusOrder{
    "chkScanlines", "lstDirs", "cmdChoseGame", "cmdPlay",    "cmdQuit",     "chkVsync",
    "chkFrameSkip", "chkVga",  "chkSkipCode",  "pctBrivane", "chkJoystick", "chkModeX"};

class FocusOrder : public LauncherTest {};

TEST_F(FocusOrder, TabVisitsTheTwelveControlsAndComesBack) {
    start();
    std::vector<std::string> visited{window.focused()};
    for (int i = 0; i < 12; ++i) {
        window.pressTab();
        visited.push_back(window.focused());
    }
    std::vector<std::string> expected = kFocusOrder;
    expected.push_back("chkScanlines");
    EXPECT_EQ(visited, expected);
}

TEST_F(FocusOrder, WithFrameSkipTickedTheBoxComesAfterThePicture) {
    start();
    window.click("chkFrameSkip");
    window.type("2");
    std::vector<std::string> expected = kFocusOrder;
    expected.insert(expected.begin() + 10, "txtFrameSkip");
    EXPECT_EQ(window.tabOrder(), expected);
    window.pressTab();
    EXPECT_EQ(window.focused(), "chkJoystick");
    window.pressTab(true);
    window.pressTab(true);
    EXPECT_EQ(window.focused(), "pctBrivane");
}

}  // namespace
}  // namespace varnsel::testing
