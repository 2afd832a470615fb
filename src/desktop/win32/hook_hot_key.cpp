#include "desktop/win32/hook_hot_key.h"

#include "base/win32/error_report.h"
#include "desktop/hotkey_flags.h"

namespace qv::desktop {
namespace {
constexpr wchar_t kWindowClass[] = L"THookHotKeyWindow";
}

THookHotKey::THookHotKey(HWND owner) : owner_(owner) {
    register_class(kWindowClass);
    create(kWindowClass, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
}

// The window system drops the registrations with the window.
THookHotKey::~THookHotKey() { destroy(); }

bool THookHotKey::AddHotKey(int id, unsigned shortcut) {
    const HotkeyRegistration r = hotkey_registration(shortcut);
    return ::RegisterHotKey(handle(), id, r.modifiers, r.key) != FALSE;
}

bool THookHotKey::RemoveHotKey(int id) { return ::UnregisterHotKey(handle(), id) != FALSE; }

LRESULT THookHotKey::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_HOTKEY) return default_message(message, wparam, lparam);
    win::guarded(owner_, [&] {
        if (!OnHotKey) return;
        if (Activate && owner_) ::SetForegroundWindow(owner_);
        OnHotKey(*this, static_cast<int>(wparam));
    });
    return 0;
}

} // namespace qv::desktop
