#include "controls/win32/light_label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/win32/window_surface.h"

namespace qv::controls {
namespace {

struct LightLabelFixture : ::testing::Test {
    LightLabelFixture() {
        label.Looks().JumpType = jtMail;
        label.Looks().JumpTo = L"support@quorvane.app";
        label.OpenTarget = [this](HWND, const std::wstring& target) { opened.push_back(target); };
        label.OnClick = [this](TLightLabel&) { ++clicks; };
    }
    void Send(UINT message, int x, int y) { ::SendMessageW(label.handle(), message, 0, MAKELPARAM(x, y)); }

    // A hidden parent: Wine is slow to take shown windows off the display.
    skin::win::GraphicPanel parent{nullptr, 50, 50, 200, 100, false};
    TLightLabel label{parent.handle(), 10, 10, 150, 12, L"support@quorvane.app"};
    std::vector<std::wstring> opened;
    int clicks = 0;
};

TEST_F(LightLabelFixture, AClickOpensTheTargetThenRaisesOnClick) {
    Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_TRUE(label.Looks().Hover());
    Send(WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(label.Looks().Font(), label.Looks().ClickFont());
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(label.Looks().Font(), label.Looks().LightFont());
    EXPECT_EQ(opened, std::vector<std::wstring>{L"mailto:support@quorvane.app"});
    EXPECT_EQ(clicks, 1);
}

TEST_F(LightLabelFixture, APressDraggedOffTheLabelClicksNothing) {
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_MOUSEMOVE, 5, 40);  // the label holds the capture: it sees the pointer leave
    EXPECT_FALSE(label.Looks().Hover());
    Send(WM_LBUTTONUP, 5, 40);
    EXPECT_EQ(label.Looks().Font(), label.Looks().DefaultFont());
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace qv::controls
