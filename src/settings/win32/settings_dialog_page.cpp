#include "settings/win32/settings_dialog_page.h"

#include <commctrl.h>

#include <algorithm>

#include "base/win32/dialog_frame.h"
#include "base/win32/display_scale.h"

namespace qv::settings::win32 {
namespace {

constexpr wchar_t kPanelClass[] = L"QvSettingsPage";
constexpr int kCheckBoxWidth = 17;  // the box and the gap before its caption

} // namespace

// The panel window: a container the dialog's keyboard navigation enters, with the dialog's font.
class TSettingsPage::Surface final : public win::Window {
public:
    Surface(TSettingsPage& page, HWND dialog, const RECT& area) : page_(page) {
        register_class(kPanelClass, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        create(kPanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, area.left, area.top,
               area.right - area.left, area.bottom - area.top, dialog);
        // Above the tab control, which would otherwise paint over the page.
        ::SetWindowPos(handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
        case WM_GETFONT: return reinterpret_cast<LRESULT>(page_.font_);
        case WM_COMMAND:
            if (lparam) page_.OnCommand(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
            return 0;
        case WM_HSCROLL:
            if (lparam) page_.OnScroll(reinterpret_cast<HWND>(lparam));
            return 0;
        default: return default_message(message, wparam, lparam);
        }
    }

private:
    TSettingsPage& page_;
};

TSettingsPage::TSettingsPage(HWND dialog, const RECT& area, HFONT font)
    : font_(font), panel_(std::make_unique<Surface>(*this, dialog, area)) {}

TSettingsPage::~TSettingsPage() = default;

HWND TSettingsPage::Panel() const noexcept { return panel_->handle(); }

void TSettingsPage::Show(bool shown) const { ::ShowWindow(Panel(), shown ? SW_SHOW : SW_HIDE); }

// The pages are laid out at 96 pixels an inch: lengths given and returned are in those units, and the
// controls are placed at the system's scale. Texts are measured in the dialog's font as it is drawn.
int TSettingsPage::Width() const noexcept {
    RECT client{};
    ::GetClientRect(Panel(), &client);
    return ::MulDiv(client.right, win::kBaseDpi, win::system_dpi());
}

int TSettingsPage::TextWidth(const wchar_t* text) const {
    return win::unscaled(win::text_extent(Panel(), font_, text).cx);
}

HWND TSettingsPage::AddControl(const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style, int x,
                               int y, int width, int height, int id) const {
    return AddScreenControl(window_class, text, style, ex_style, win::scaled(x), win::scaled(y), win::scaled(width),
                            win::scaled(height), id);
}

HWND TSettingsPage::AddScreenControl(const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style,
                                     int x, int y, int width, int height, int id) const {
    HWND control = ::CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                     Panel(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

HWND TSettingsPage::AddGroup(int x, int y, int width, int height, const wchar_t* text) const {
    return AddControl(L"BUTTON", text, BS_GROUPBOX, 0, x, y, width, height, 0);
}

HWND TSettingsPage::AddLabel(int x, int middle, const wchar_t* text) const {
    const SIZE size = win::text_extent(Panel(), font_, text);
    return AddScreenControl(L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0, win::scaled(x),
                            win::scaled(middle) - size.cy / 2, size.cx + 1, size.cy, 0);
}

HWND TSettingsPage::AddCheck(int x, int middle, const wchar_t* text, int id) const {
    const SIZE size = win::text_extent(Panel(), font_, text);
    const int height = std::max<int>(size.cy, win::scaled(16));
    const int width = win::scaled(kCheckBoxWidth) + (*text ? size.cx + win::scaled(4) : 0);
    return AddScreenControl(L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, 0, win::scaled(x),
                            win::scaled(middle) - height / 2, width, height, id);
}

HWND TSettingsPage::AddButton(int x, int y, int width, int height, const wchar_t* text, int id) const {
    return AddControl(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, 0, x, y, width, height, id);
}

HWND TSettingsPage::AddTrackBar(int x, int middle, int width, DWORD style, int id, int maximum) const {
    constexpr int kHeight = 30;
    HWND bar = AddControl(TRACKBAR_CLASSW, L"", TBS_HORZ | WS_TABSTOP | style, 0, x, middle - kHeight / 2, width,
                          kHeight, id);
    ::SendMessageW(bar, TBM_SETRANGEMIN, FALSE, 0);
    ::SendMessageW(bar, TBM_SETRANGEMAX, TRUE, maximum);
    return bar;
}

HWND TSettingsPage::AddHotKey(int x, int middle, int width, int id) const {
    constexpr int kHeight = 21;
    HWND hotkey = AddControl(HOTKEY_CLASSW, L"", WS_TABSTOP, WS_EX_CLIENTEDGE, x, middle - kHeight / 2, width,
                             kHeight, id);
    // A key alone and a key with Shift alone are refused, with nothing put in their place.
    ::SendMessageW(hotkey, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, 0);
    return hotkey;
}

HWND TSettingsPage::AddCombo(int x, int y, int width, int id, std::initializer_list<const wchar_t*> entries,
                             bool editable) const {
    constexpr int kDropHeight = 200;
    HWND combo = AddControl(L"COMBOBOX", L"", (editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | WS_VSCROLL | WS_TABSTOP,
                            0, x, y, width, kDropHeight, id);
    for (const wchar_t* entry : entries) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    return combo;
}

HWND TSettingsPage::AddEdit(int x, int y, int width, int height, int id) const {
    return AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, x, y, width, height, id);
}

std::unique_ptr<controls::TSpinNumberEdit> TSettingsPage::AddSpin(int x, int middle, int width, int id, int minimum,
                                                                  int maximum, int increment) const {
    auto spin = std::make_unique<controls::TSpinNumberEdit>(Panel(), win::scaled(x), 0, win::scaled(width), 0, id);
    spin->SetMinValue(minimum);
    spin->SetMaxValue(maximum);
    spin->Increment = increment;
    spin->SetAlignment(controls::TAlignment::taRightJustify);
    RECT frame{};
    ::GetWindowRect(spin->handle(), &frame);
    ::SetWindowPos(spin->handle(), nullptr, win::scaled(x), win::scaled(middle) - (frame.bottom - frame.top) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return spin;
}

int RightOf(HWND control) {
    RECT frame{};
    ::GetWindowRect(control, &frame);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&frame), 2);
    return win::unscaled(frame.right);
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsChecked(HWND check) { return ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND check, bool checked) {
    ::SendMessageW(check, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace qv::settings::win32
