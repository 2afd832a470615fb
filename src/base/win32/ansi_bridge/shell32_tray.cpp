#include "base/win32/ansi_bridge/shell32_tray.h"

#include "base/win32/ansi_bridge/bridge.h"

#include <cwchar>

namespace qv::win::ansi {

NOTIFYICONDATAA ansi_notify_icon_data(const NOTIFYICONDATAW& data) noexcept {
    NOTIFYICONDATAA ansi{};
    ansi.cbSize = NOTIFYICONDATAA_V1_SIZE;
    ansi.hWnd = data.hWnd;
    ansi.uID = data.uID;
    ansi.uFlags = data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
    ansi.uCallbackMessage = data.uCallbackMessage;
    ansi.hIcon = data.hIcon;
    if (ansi.uFlags & NIF_TIP) {
        // The caller's record may be the first layout too, whose tip field holds 64 characters.
        const std::size_t field = data.cbSize > NOTIFYICONDATAW_V1_SIZE ? std::size(data.szTip) : 64;
        bridge::copy_to_ansi(std::wstring_view(data.szTip, wcsnlen(data.szTip, field)), ansi.szTip, 64);
    }
    return ansi;
}

BOOL WINAPI Shell_NotifyIconW(DWORD action, PNOTIFYICONDATAW data) {
    if (!data) return FALSE;
    NOTIFYICONDATAA ansi = ansi_notify_icon_data(*data);
    return ::Shell_NotifyIconA(action, &ansi);
}

} // namespace qv::win::ansi

QV_BRIDGE("shell32.dll", Shell_NotifyIconW, 8);
