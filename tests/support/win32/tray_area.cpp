#include "support/win32/tray_area.h"

#include <shellapi.h>

#include <algorithm>

#include "base/win32/unique_handle.h"
#include "support/win32/app_driver.h"

namespace qv::test {
namespace {

constexpr int kCellBorder = 2;
constexpr UINT kTrayCallbackMessage = WM_USER + 0x400;
constexpr UINT kSendTimeoutMs = 5000;

TrayHost probe_tray() {
    TrayHost host;
    win::UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"tray probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                              ::GetModuleHandleW(nullptr), nullptr));
    if (!owner) return host;
    NOTIFYICONDATAW icon{};
    icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
    icon.hWnd = owner.get();
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ::lstrcpynW(icon.szTip, L"tray probe", ARRAYSIZE(icon.szTip));
    // Icons that others left count as they are: the probe's own must add one.
    const int others = TrayArea::take().icon_count();
    host.takes_icons = ::Shell_NotifyIconW(NIM_ADD, &icon) != FALSE;
    if (!host.takes_icons) return host;
    host.readable = wait_until([&] { return TrayArea::take().icon_count() == others + 1; }, 5s);
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
    // Gone from the tray before the scenario counts its own icons.
    wait_until([&] { return TrayArea::take().icon_count() == others; }, 5s);
    return host;
}

} // namespace

const TrayHost& tray_host() {
    static const TrayHost host = probe_tray();
    return host;
}

size_t IconPixels::count(COLORREF color) const {
    return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), color));
}

bool shows_number(const IconPixels& icon) {
    const size_t blue = icon.count(kNumberBlue);
    return !icon.empty() && blue >= icon.pixels.size() / 2 && blue < icon.pixels.size();
}

HWND TrayArea::window() {
    return ::FindWindowW(nullptr, L"Wine System Tray");
}

TrayArea TrayArea::take() {
    TrayArea tray;
    HWND window = TrayArea::window();
    if (!window || !::IsWindowVisible(window)) return tray;
    // Wine's tray leaves stale pixels: an icon window moved into a removed icon's cell is not painted
    // again, and a changed icon is drawn over the old one without clearing it. The whole window is
    // painted afresh first, so the picture shows the icons the tray holds.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GetClientRect(window, &tray.client_);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&tray.client_), 2);
    tray.icon_size_ = ::GetSystemMetrics(SM_CXSMICON);
    tray.cell_ = tray.icon_size_ + 2 * kCellBorder;
    tray.shot_ = ScreenCapture::take(tray.client_);
    tray.shown_ = !tray.shot_.empty();
    return tray;
}

int TrayArea::icon_count() const {
    if (!shown_) return 0;
    const COLORREF back = background();
    int count = 0;
    for (int index = 0; client_.left + (index + 1) * cell_ <= client_.right; ++index) {
        const IconPixels pixels = icon(index);
        if (pixels.count(back) != pixels.pixels.size()) ++count;
    }
    return count;
}

RECT TrayArea::icon_rect(int index) const {
    if (!shown_ || index < 0 || client_.left + (index + 1) * cell_ > client_.right) return RECT{};
    const int left = client_.left + index * cell_ + kCellBorder;
    const int top = client_.top + kCellBorder;
    return RECT{left, top, left + icon_size_, top + icon_size_};
}

IconPixels TrayArea::icon(int index) const {
    IconPixels result;
    const RECT cell = icon_rect(index);
    if (!::IsRectEmpty(&cell)) result.pixels = shot_.pixels(cell);
    return result;
}

bool send_tray_mouse(HWND icon_window, UINT mouse_message) {
    DWORD_PTR reply = 0;
    // wParam is the icon's id; every one of the program's icons uses 1.
    return ::SendMessageTimeoutW(icon_window, kTrayCallbackMessage, 1, mouse_message, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                 &reply) != 0;
}

bool click_tray_icon(HWND icon_window) {
    return send_tray_mouse(icon_window, WM_LBUTTONDOWN) && send_tray_mouse(icon_window, WM_LBUTTONUP);
}

} // namespace qv::test
