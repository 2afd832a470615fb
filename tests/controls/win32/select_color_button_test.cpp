#include "controls/win32/select_color_button.h"

#include <gtest/gtest.h>

#include "base/win32/unique_handle.h"
#include "skin/win32/window_surface.h"

namespace qv::controls {
namespace {

struct SelectColorButtonFixture : ::testing::Test {
    SelectColorButtonFixture() {
        button.ColorDialog = [this](HWND owner, unsigned options) {
            ++dialogs;
            EXPECT_EQ(owner, button.handle());
            last_options = options;
            return answer;
        };
        button.OnClick = [this](TSelectColorButton& sender) {
            EXPECT_EQ(&sender, &button);
            ++clicks;
        };
    }
    void Click() {
        ::SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        ::SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    // A hidden parent: Wine is slow to take shown windows off the display.
    skin::win::GraphicPanel parent{nullptr, 50, 50, 200, 100, false};
    TSelectColorButton button{parent.handle(), 10, 10};
    int dialogs = 0;
    int clicks = 0;
    unsigned last_options = 0;
    std::optional<skin::Color> answer;
};

TEST_F(SelectColorButtonFixture, DialogAfterReleaseThenClick) {
    EXPECT_EQ(button.Color(), 0x0000FFFFu);
    button.SetOptions(cdFullOpen);
    answer = 0x00336699;
    Click();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(last_options, static_cast<unsigned>(cdFullOpen));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.Color(), 0x00336699u);
    EXPECT_FALSE(button.Pressed());

    answer.reset();  // cancelled: the colour stays, the click still comes
    Click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button.Color(), 0x00336699u);
}

TEST_F(SelectColorButtonFixture, TrackingTimerCancelsAPressDraggedOff) {
    RECT frame{};
    ::GetWindowRect(button.handle(), &frame);
    ::SetCursorPos(frame.right + 40, frame.bottom + 40);
    ::SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.Pressed());
    ::SendMessageW(button.handle(), WM_TIMER, 1, 0);  // the 100 ms tick
    EXPECT_FALSE(button.Pressed());
    ::SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SelectColorButtonFixture, PaintsARaisedOrSunkenFrameAroundTheSwatch) {
    button.SetColor(0x0000FF00);
    qv::win::WindowDC screen(nullptr);
    qv::win::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
    qv::win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 90, 25));
    qv::win::SelectGuard selected(dc.get(), bitmap.get());
    auto print = [&] { ::SendMessageW(button.handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT); };

    print();
    EXPECT_EQ(::GetPixel(dc.get(), 45, 12), RGB(0, 255, 0));
    EXPECT_EQ(::GetPixel(dc.get(), 5, 12), RGB(0, 0, 0));  // the swatch's outline
    const COLORREF raised_corner = ::GetPixel(dc.get(), 0, 0);
    EXPECT_EQ(raised_corner, ::GetSysColor(COLOR_3DLIGHT));  // the raised edge's outer light

    ::SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    print();
    EXPECT_NE(::GetPixel(dc.get(), 0, 0), raised_corner);  // sunken while pressed
    button.ColorDialog = [](HWND, unsigned) { return std::optional<skin::Color>(); };
    ::SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    print();
    EXPECT_EQ(::GetPixel(dc.get(), 0, 0), raised_corner);
}

} // namespace
} // namespace qv::controls
