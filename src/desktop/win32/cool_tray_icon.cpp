#include "desktop/win32/cool_tray_icon.h"

#include <shellapi.h>

#include "base/win32/error_report.h"
#include "base/win32/message_filter.h"
#include "base/win32/pending_messages.h"
#include "base/win32/window_subclass.h"

namespace qv::desktop {
namespace {

constexpr wchar_t kWindowClass[] = L"TCoolTrayIconWindow";
constexpr UINT_PTR kCycleTimer = 1;
constexpr UINT kIconId = 1;

} // namespace

TCoolTrayIcon::TCoolTrayIcon(HWND owner) : owner_(owner) {
    register_class(kWindowClass);
    // A hidden top-level window: the shell's "TaskbarCreated" broadcast reaches only top-level windows.
    create(kWindowClass, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
    taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // Explorer runs at a lower integrity than an elevated copy: without this the icon never comes back
    // after Explorer restarts.
    if (taskbar_created_ != 0) win::allow_message_from_lower_integrity(handle(), taskbar_created_);
    // Each instance hooks the owner with its own id, so instances may be destroyed in any order.
    if (owner_) win::set_window_subclass(owner_, &TCoolTrayIcon::owner_hook, reinterpret_cast<UINT_PTR>(this),
                                    reinterpret_cast<DWORD_PTR>(this));
}

TCoolTrayIcon::~TCoolTrayIcon() {
    *alive_ = false;
    SetIconVisible(false);
    ::KillTimer(handle(), kCycleTimer);
    if (owner_) win::remove_window_subclass(owner_, &TCoolTrayIcon::owner_hook, reinterpret_cast<UINT_PTR>(this));
    destroy();
}

void TCoolTrayIcon::SetIcon(HICON icon) { SetIcon(win::UniqueIcon(icon ? ::CopyIcon(icon) : nullptr)); }

bool TCoolTrayIcon::SetIcon(win::UniqueIcon icon) {
    if (!icon) return false;
    // The shell keeps showing the old image until the modify call: release it only afterwards.
    win::UniqueIcon previous = std::move(icon_);
    icon_ = std::move(icon);
    // Only the image changed: the tip is not sent again (the tray would update its tooltip each time).
    if (shown_) notify(NIM_MODIFY, NIF_ICON);
    return true;
}

void TCoolTrayIcon::SetIconVisible(bool visible) {
    if (visible) ShowIcon();
    else HideIcon();
}

void TCoolTrayIcon::SetDesignPreview(bool preview) {
    design_preview_ = preview;
    applying_preview_ = true;
    SetIconVisible(preview);
    applying_preview_ = false;
}

void TCoolTrayIcon::SetHint(std::wstring hint) {
    // Set on every mouse move over the icon: the shell is only told of a new text.
    if (hint == hint_) return;
    hint_ = std::move(hint);
    if (shown_) notify(NIM_MODIFY, NIF_TIP);
}

void TCoolTrayIcon::SetShowHint(bool show) {
    if (show == show_hint_) return;
    show_hint_ = show;
    if (shown_) notify(NIM_MODIFY, NIF_TIP);
}

void TCoolTrayIcon::SetIconList(std::vector<HICON> icons) {
    icon_list_ = std::move(icons);
    SetIconIndex(0);
}

void TCoolTrayIcon::SetIconIndex(int index) {
    const int count = static_cast<int>(icon_list_.size());
    icon_index_ = clamp_icon_index(index, count);
    if (count > 0) {
        SetIcon(icon_list_[static_cast<size_t>(icon_index_)]);
    } else {
        ModifyIcon();
    }
}

void TCoolTrayIcon::SetCycleIcons(bool cycle) {
    cycle_icons_ = cycle;
    if (cycle) SetIconIndex(0);
    ::KillTimer(handle(), kCycleTimer);
    if (cycle && cycle_interval_ > 0) ::SetTimer(handle(), kCycleTimer, cycle_interval_, nullptr);
}

void TCoolTrayIcon::SetCycleInterval(unsigned milliseconds) {
    cycle_interval_ = milliseconds;
    if (cycle_icons_) SetCycleIcons(true);
}

bool TCoolTrayIcon::notify(DWORD action, UINT parts) {
    NOTIFYICONDATAW data{};
    // The first record layout: every system with the wide interface accepts it, and its 64-character
    // tip field is what the tip rule is made for.
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = handle();
    data.uID = kIconId;
    data.uFlags = parts ? parts : NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = icon_.get();
    std::wstring tip = tray_tip(hint_, show_hint_);
    tip.copy(data.szTip, tip.size());
    return ::Shell_NotifyIconW(action, &data) != FALSE;
}

bool TCoolTrayIcon::ShowIcon() {
    if (!applying_preview_) visible_ = true;
    shown_ = true;
    return notify(NIM_ADD);
}

bool TCoolTrayIcon::HideIcon() {
    if (!applying_preview_) visible_ = false;
    shown_ = false;
    return notify(NIM_DELETE);
}

bool TCoolTrayIcon::ModifyIcon() { return notify(NIM_MODIFY); }

void TCoolTrayIcon::Loaded() {
    ModifyIcon();
    SetIconVisible(visible_);
}

unsigned TCoolTrayIcon::current_shift() {
    unsigned shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    return shift;
}

void TCoolTrayIcon::PopupAtCursor() {
    POINT at{};
    if (!PopupMenu || !::GetCursorPos(&at)) return;
    // What is already waiting goes first (a command, a repaint): the menu shows the state it leaves. It
    // may also have freed this icon or taken its menu away.
    const std::shared_ptr<bool> alive = alive_;
    win::run_pending_messages();
    if (!*alive || !PopupMenu) return;
    PopupMenu->Popup(at.x, at.y);
}

void TCoolTrayIcon::run_default_menu_item() {
    // None of the program's menus has a default item; a double click then only raises OnDblClick.
}

void TCoolTrayIcon::on_tray_callback(UINT mouse_message) {
    POINT at{};
    ::GetCursorPos(&at);
    const unsigned shift = current_shift();
    for (TrayAction action : route_tray_mouse(mouse_message, mouse_)) {
        switch (action) {
        case TrayAction::MouseMove:
            if (OnMouseMove) OnMouseMove(*this, shift, at.x, at.y);
            break;
        case TrayAction::MouseDownLeft:
            if (OnMouseDown) OnMouseDown(*this, MouseButton::Left, shift | ssLeft, at.x, at.y);
            break;
        case TrayAction::MouseUpLeft:
            if (OnMouseUp) OnMouseUp(*this, MouseButton::Left, shift | ssLeft, at.x, at.y);
            break;
        case TrayAction::Click:
            if (OnClick) OnClick(*this);
            break;
        case TrayAction::DoubleClick:
            if (OnDblClick) OnDblClick(*this);
            break;
        case TrayAction::RunDefaultMenuItem: run_default_menu_item(); break;
        case TrayAction::MouseDownRight:
            if (OnMouseDown) OnMouseDown(*this, MouseButton::Right, shift | ssRight, at.x, at.y);
            break;
        case TrayAction::MouseUpRight:
            if (OnMouseUp) OnMouseUp(*this, MouseButton::Right, shift | ssRight, at.x, at.y);
            break;
        case TrayAction::MouseDownMiddle:
            if (OnMouseDown) OnMouseDown(*this, MouseButton::Middle, shift | ssMiddle, at.x, at.y);
            break;
        case TrayAction::MouseUpMiddle:
            if (OnMouseUp) OnMouseUp(*this, MouseButton::Middle, shift | ssMiddle, at.x, at.y);
            break;
        case TrayAction::PopupMenu: PopupAtCursor(); break;
        }
    }
}

void TCoolTrayIcon::cycle_tick() {
    const int count = static_cast<int>(icon_list_.size());
    if (count == 0) return;
    SetIcon(icon_list_[static_cast<size_t>(clamp_icon_index(icon_index_, count))]);
    const int next = next_cycle_index(icon_index_, count);
    if (OnCycle) OnCycle(*this, next);
    ModifyIcon();
    SetIconIndex(next);
}

LRESULT TCoolTrayIcon::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == TrayCallbackMessage) {
        on_tray_callback(static_cast<UINT>(lparam));
        return 0;
    }
    if (message == taskbar_created_ && taskbar_created_ != 0) {
        // The shell restarted: put the icon back if it was shown, by IconVisible or by DesignPreview.
        if (shown_) notify(NIM_ADD);
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        if (wparam == kCycleTimer && cycle_icons_) cycle_tick();
        return 0;
    case WM_QUERYENDSESSION: return 1;
    default: return default_message(message, wparam, lparam);
    }
}

LRESULT CALLBACK TCoolTrayIcon::owner_hook(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<TCoolTrayIcon*>(data);
    try {
        if (message == WM_SIZE && wparam == SIZE_MINIMIZED && self->MinimizeToTray) {
            ::ShowWindow(window, SW_HIDE);
            self->SetIconVisible(true);
        } else if (message == WM_SHOWWINDOW && wparam == TRUE && lparam == 0) {
            ::SetForegroundWindow(window);
        }
    } catch (...) {
        win::report_current_exception(window);
    }
    return win::def_subclass_proc(window, message, wparam, lparam);
}

} // namespace qv::desktop
