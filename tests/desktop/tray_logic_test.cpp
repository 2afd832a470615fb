#include "desktop/tray_logic.h"

#include <gtest/gtest.h>

namespace qv::desktop {
namespace {

using A = TrayAction;
constexpr unsigned kMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203, kRDown = 0x204, kRUp = 0x205,
                   kMDown = 0x207, kMUp = 0x208;

TEST(TrayTip, CutsTo63CharactersAndHonoursShowHint) {
    std::wstring eighty(80, L'あ');
    EXPECT_EQ(tray_tip(eighty, true), std::wstring(63, L'あ'));
    EXPECT_EQ(tray_tip(L"CPU 12%", true), L"CPU 12%");
    EXPECT_EQ(tray_tip(L"CPU 12%", false), L"");
    EXPECT_EQ(tray_tip(L"", true), L"");
}

TEST(TrayMouse, PressAndReleaseGiveDownClickUpInOrder) {
    TrayMouseState state;
    EXPECT_EQ(route_tray_mouse(kLDown, state), (std::vector<A>{A::MouseDownLeft}));
    EXPECT_EQ(route_tray_mouse(kLUp, state), (std::vector<A>{A::Click, A::MouseUpLeft}));
    // A release without a press on the icon is no click.
    EXPECT_EQ(route_tray_mouse(kLUp, state), (std::vector<A>{A::MouseUpLeft}));
}

TEST(TrayMouse, MenusOpenOnRightPressOrLeftPressWithLeftPopup) {
    TrayMouseState state;
    EXPECT_EQ(route_tray_mouse(kRDown, state), (std::vector<A>{A::MouseDownRight, A::PopupMenu}));
    EXPECT_EQ(route_tray_mouse(kRUp, state), (std::vector<A>{A::MouseUpRight}));
    EXPECT_EQ(route_tray_mouse(kLDbl, state), (std::vector<A>{A::DoubleClick, A::RunDefaultMenuItem}));
    state.left_popup = true;
    EXPECT_EQ(route_tray_mouse(kLDown, state), (std::vector<A>{A::MouseDownLeft, A::PopupMenu}));
    EXPECT_EQ(route_tray_mouse(kLDbl, state), (std::vector<A>{A::DoubleClick}));
    EXPECT_EQ(route_tray_mouse(kMDown, state), (std::vector<A>{A::MouseDownMiddle}));
    EXPECT_EQ(route_tray_mouse(kMUp, state), (std::vector<A>{A::MouseUpMiddle}));
    EXPECT_EQ(route_tray_mouse(kMove, state), (std::vector<A>{A::MouseMove}));
    EXPECT_TRUE(route_tray_mouse(0x206, state).empty());  // right double click: not handled
}

TEST(TrayMouse, DisabledIconRaisesNothing) {
    TrayMouseState state;
    state.enabled = false;
    for (unsigned message : {kMove, kLDown, kLUp, kLDbl, kRDown, kRUp, kMDown, kMUp}) {
        EXPECT_TRUE(route_tray_mouse(message, state).empty()) << message;
    }
    EXPECT_FALSE(state.left_down);
}

TEST(TrayCycle, RunsRoundAndClampsIndexes) {
    EXPECT_EQ(next_cycle_index(0, 3), 1);
    EXPECT_EQ(next_cycle_index(1, 3), 2);
    EXPECT_EQ(next_cycle_index(2, 3), 0);
    EXPECT_EQ(next_cycle_index(0, 0), 0);
    EXPECT_EQ(clamp_icon_index(7, 3), 2);
    EXPECT_EQ(clamp_icon_index(1, 3), 1);
    EXPECT_EQ(clamp_icon_index(5, 0), 0);
    EXPECT_EQ(clamp_icon_index(-1, 3), 0);  // never before the first image
}

} // namespace
} // namespace qv::desktop
