#pragma once
// TCoolTrayIcon: one icon in the notification area, turning the shell's notifications into events
// (click, double click, mouse down/up/move, popup menu at the cursor) and optionally cycling through a
// list of icons. It shows whatever icon it is given; it draws nothing itself.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/win32/unique_handle.h"
#include "base/win32/window.h"
#include "desktop/tray_logic.h"
#include "desktop/tray_menu.h"

namespace qv::desktop {

// Modifier keys and buttons held during a mouse event.
enum ShiftState : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

class TCoolTrayIcon;
using NotifyEvent = std::function<void(TCoolTrayIcon& sender)>;
using MouseEvent = std::function<void(TCoolTrayIcon& sender, MouseButton button, unsigned shift, int x, int y)>;
using MouseMoveEvent = std::function<void(TCoolTrayIcon& sender, unsigned shift, int x, int y)>;
using CycleEvent = std::function<void(TCoolTrayIcon& sender, int next_index)>;

inline constexpr UINT TrayCallbackMessage = WM_USER + 0x400;

class TCoolTrayIcon : private win::Window {
public:
    // `owner` receives the menu commands and is the window the icon stands for.
    explicit TCoolTrayIcon(HWND owner);
    ~TCoolTrayIcon() override;

    // The icon is copied; the caller keeps its own.
    void SetIcon(HICON icon);
    // Takes over an icon made for this tray icon (no copy); the previous image is released. An empty
    // one (the system could not make it) leaves the shown image in place and answers false.
    bool SetIcon(win::UniqueIcon icon);
    HICON Icon() const { return icon_.get(); }

    void SetIconVisible(bool visible);
    bool IconVisible() const { return visible_; }
    void SetDesignPreview(bool preview);
    bool DesignPreview() const { return design_preview_; }
    void SetHint(std::wstring hint);
    const std::wstring& Hint() const { return hint_; }
    void SetShowHint(bool show);
    bool ShowHint() const { return show_hint_; }
    void SetEnabled(bool enabled) { mouse_.enabled = enabled; }
    bool Enabled() const { return mouse_.enabled; }
    void SetLeftPopup(bool left_popup) { mouse_.left_popup = left_popup; }
    bool LeftPopup() const { return mouse_.left_popup; }

    // Cycling through IconList (icons owned by the caller).
    void SetIconList(std::vector<HICON> icons);
    void SetIconIndex(int index);
    int IconIndex() const { return icon_index_; }
    void SetCycleIcons(bool cycle);
    bool CycleIcons() const { return cycle_icons_; }
    void SetCycleInterval(unsigned milliseconds);
    unsigned CycleInterval() const { return cycle_interval_; }

    // The menu shown at the cursor (owned by the caller).
    TrayMenu* PopupMenu = nullptr;
    bool StartMinimized = false;
    bool MinimizeToTray = false;

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    CycleEvent OnCycle;

    // Shell operations; each answers whether the shell accepted it.
    bool ShowIcon();
    bool HideIcon();
    bool ModifyIcon();
    void PopupAtCursor();
    // Applies the configuration once the owner has set it up: adds the icon when it is visible.
    void Loaded();

private:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    // `parts`: the NIF_ flags of what is sent when only some of it changed; 0 sends all of it.
    bool notify(DWORD action, UINT parts = 0);
    void on_tray_callback(UINT mouse_message);
    void cycle_tick();
    void run_default_menu_item();
    static unsigned current_shift();
    static LRESULT CALLBACK owner_hook(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self) noexcept;

    HWND owner_;
    win::UniqueIcon icon_;
    bool visible_ = true;
    bool shown_ = false;  // the last request to the shell was to show the icon
    bool design_preview_ = false;
    bool applying_preview_ = false;
    std::wstring hint_;
    bool show_hint_ = false;
    TrayMouseState mouse_;
    std::vector<HICON> icon_list_;
    int icon_index_ = 0;
    bool cycle_icons_ = false;
    unsigned cycle_interval_ = 0;
    UINT taskbar_created_ = 0;
    // Cleared when the icon goes: a handler run from inside one of its calls may free it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace qv::desktop
