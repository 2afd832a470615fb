#include "controls/win32/select_color_button.h"

#include <commdlg.h>

#include "base/win32/unique_handle.h"
#include "skin/win32/system_colors.h"

namespace qv::controls {
namespace {

constexpr UINT_PTR kTrackingTimer = 1;
constexpr wchar_t kClassName[] = L"TSelectColorButton";

} // namespace

TSelectColorButton::TSelectColorButton(HWND parent, int x, int y, int width, int height, int id) {
    for (COLORREF& c : custom_colors_) c = RGB(255, 255, 255);
    register_class(kClassName, CS_DBLCLKS);
    create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, x, y, width, height, parent);
    if (id != 0) ::SetWindowLongPtrW(handle(), GWLP_ID, id);
}

TSelectColorButton::~TSelectColorButton() { destroy(); }

std::optional<skin::Color> TSelectColorButton::ChooseColorDialog(HWND owner, unsigned options, COLORREF (&custom)[16]) {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = RGB(0, 0, 0);
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT;
    if (options & cdFullOpen) choose.Flags |= CC_FULLOPEN;
    if (options & cdPreventFullOpen) choose.Flags |= CC_PREVENTFULLOPEN;
    if (options & cdShowHelp) choose.Flags |= CC_SHOWHELP;
    if (options & cdSolidColor) choose.Flags |= CC_SOLIDCOLOR;
    if (options & cdAnyColor) choose.Flags |= CC_ANYCOLOR;
    if (!::ChooseColorW(&choose)) return std::nullopt;
    return choose.rgbResult;
}

void TSelectColorButton::Repaint() {
    ::InvalidateRect(handle(), nullptr, FALSE);
    ::UpdateWindow(handle());
}

void TSelectColorButton::SetTrackingTimer(bool enabled) {
    if (enabled) {
        ::SetTimer(handle(), kTrackingTimer, ColorButtonBehaviour::kTrackingInterval, nullptr);
    } else {
        ::KillTimer(handle(), kTrackingTimer);
    }
}

skin::Point TSelectColorButton::CursorPos() {
    POINT at{};
    ::GetCursorPos(&at);
    ::ScreenToClient(handle(), &at);
    return {at.x, at.y};
}

skin::Size TSelectColorButton::ClientSize() {
    RECT client{};
    ::GetClientRect(handle(), &client);
    return {client.right, client.bottom};
}

std::optional<skin::Color> TSelectColorButton::PickColor(unsigned options) {
    if (ColorDialog) return ColorDialog(handle(), options);
    return ChooseColorDialog(handle(), options, custom_colors_);
}

void TSelectColorButton::Clicked() {
    if (OnClick) OnClick(*this);
}

void TSelectColorButton::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(handle(), &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(dc, &client, Pressed() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    win::UniqueBrush swatch(::CreateSolidBrush(skin::win::ToColorRef(Color())));
    win::SelectGuard brush(dc, swatch.get());
    win::SelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
    ::Rectangle(dc, 5, 5, client.right - 5, client.bottom - 5);
}

LRESULT TSelectColorButton::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        win::PaintDC dc(handle());
        Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        behaviour_.LeftDown();
        return 0;
    case WM_LBUTTONUP:
        behaviour_.LeftUp();
        return 0;
    case WM_TIMER:
        if (wparam == kTrackingTimer) {
            behaviour_.TrackingTick();
            return 0;
        }
        break;
    default:
        break;
    }
    return default_message(message, wparam, lparam);
}

} // namespace qv::controls
