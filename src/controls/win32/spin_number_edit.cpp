#include "controls/win32/spin_number_edit.h"


#include <algorithm>
#include <vector>

#include "base/win32/display_scale.h"
#include "base/win32/unique_handle.h"
#include "base/win32/window_subclass.h"

namespace qv::controls {
namespace {

constexpr wchar_t kClassName[] = L"TSpinNumberEdit";
constexpr int kButtonWidth = 15;
constexpr int kTextGap = 2;  // between the text and the buttons
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

DWORD alignment_style(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taRightJustify: return ES_RIGHT;
    case TAlignment::taCenter: return ES_CENTER;
    default: return ES_LEFT;
    }
}

wchar_t decimal_separator() {
    wchar_t text[4]{};
    return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 4) > 1 ? text[0] : L'.';
}

// The clipboard's text; empty when it holds none or cannot be opened.
std::wstring clipboard_text(HWND owner) {
    struct Opened {
        bool open;
        ~Opened() {
            if (open) ::CloseClipboard();
        }
    } clipboard{::IsClipboardFormatAvailable(CF_UNICODETEXT) && ::OpenClipboard(owner)};
    HANDLE data = clipboard.open ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    struct Locked {
        HANDLE data;
        const wchar_t* text;
        ~Locked() {
            if (text) ::GlobalUnlock(data);
        }
    } locked{data, data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr};
    if (!locked.text) return {};
    // The clipboard's memory need not end in a NUL within its size.
    const size_t limit = ::GlobalSize(data) / sizeof(wchar_t);
    return std::wstring(locked.text, std::find(locked.text, locked.text + limit, L'\0'));
}

int font_height(HDC dc, HFONT font) {
    win::SelectGuard selected(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

} // namespace

TSpinNumberEdit::TSpinNumberEdit(HWND parent, int x, int y, int width, int height, int id) {
    register_class(kClassName, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, x, y,
           width, height, parent);
    if (id) ::SetWindowLongPtrW(handle(), GWLP_ID, id);
    font_ = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0));
    CreateEdit(L"");
    Layout();
}

TSpinNumberEdit::~TSpinNumberEdit() {
    if (edit_) win::remove_window_subclass(edit_, &TSpinNumberEdit::EditProcedure, 1);
    destroy();
}

void TSpinNumberEdit::CreateEdit(const std::wstring& text) {
    if (edit_) {
        win::remove_window_subclass(edit_, &TSpinNumberEdit::EditProcedure, 1);
        ::DestroyWindow(edit_);
    }
    // A multi-line edit, since a one-line edit ignores right and centre alignment on older systems.
    edit_ = ::CreateWindowExW(0, L"EDIT", text.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | alignment_style(alignment_) |
                                  (read_only_ ? ES_READONLY : 0),
                              0, 0, 0, 0, handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!edit_) return;
    if (font_) ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    win::set_window_subclass(edit_, &TSpinNumberEdit::EditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    Layout();
}

int TSpinNumberEdit::MinimumHeight() const {
    win::WindowDC screen(nullptr);
    const int font = font_height(screen.get(), font_);
    const int system = font_height(screen.get(), nullptr);
    return ::GetSystemMetrics(SM_CYBORDER) * 4 + font + std::min(font, system) / 4 + 2;
}

void TSpinNumberEdit::Layout() {
    RECT outer{};
    ::GetWindowRect(handle(), &outer);
    const int height = outer.bottom - outer.top;
    if (height < MinimumHeight()) {
        ::SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, MinimumHeight(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client{};
    ::GetClientRect(handle(), &client);
    if (edit_) {
        ::MoveWindow(edit_, 1, 1, std::max(0L, client.right - win::scaled(kButtonWidth + kTextGap) - 1),
                     std::max(0L, client.bottom - 2), TRUE);
    }
    ::InvalidateRect(handle(), nullptr, TRUE);
}

RECT TSpinNumberEdit::ButtonRect(int direction) const {
    RECT client{};
    ::GetClientRect(handle(), &client);
    const LONG middle = client.bottom / 2;
    const LONG left = client.right - win::scaled(kButtonWidth);
    RECT r{left, 0, client.right, middle};
    if (direction < 0) r = {left, middle, client.right, client.bottom};
    return r;
}

int TSpinNumberEdit::ButtonAt(POINT client) const {
    for (int direction : {+1, -1}) {
        RECT r = ButtonRect(direction);
        if (::PtInRect(&r, client)) return direction;
    }
    return 0;
}

std::int32_t TSpinNumberEdit::Value() const { return spin_text_value(Text(), range_); }

void TSpinNumberEdit::SetValue(std::int32_t value) {
    const std::wstring text = spin_value_text(clamp_spin_value(value, range_));
    if (text != Text()) SetText(text);
}

std::wstring TSpinNumberEdit::Text() const {
    if (!edit_) return {};
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TSpinNumberEdit::SetText(const std::wstring& text) {
    if (!edit_ || text == Text()) return;
    ::SetWindowTextW(edit_, text.c_str());
    // A multi-line edit sends no EN_CHANGE for text set from outside, only for typed text.
    if (OnChange) OnChange(*this);
}

bool TSpinNumberEdit::ReadOnly() const { return read_only_; }

void TSpinNumberEdit::SetReadOnly(bool read_only) {
    read_only_ = read_only;
    if (edit_) ::SendMessageW(edit_, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

void TSpinNumberEdit::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    const bool had_focus = ::GetFocus() == edit_;
    CreateEdit(Text());
    if (had_focus) ::SetFocus(edit_);
}

void TSpinNumberEdit::Step(int direction) {
    if (read_only_) {
        ::MessageBeep(0);
        return;
    }
    SetValue(spin_step(Value(), Increment, direction, range_));
}

void TSpinNumberEdit::PressDefaultButtons() {
    HWND form = ::GetAncestor(handle(), GA_ROOT);
    std::vector<HWND> defaults;
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16]{};
        ::GetClassNameW(child, name, 16);
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if (::lstrcmpiW(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) defaults.push_back(child);
    }
    if (defaults.empty()) {
        ::MessageBeep(0);
        return;
    }
    DWORD start = 0, end = 0;
    ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    for (HWND button : defaults) {
        ::SetFocus(button);
        ::SendMessageW(button, BM_CLICK, 0, 0);
    }
    if (!::IsWindow(edit_)) return;  // the click closed the dialog
    ::SetFocus(edit_);
    if (AutoSelect) ::SendMessageW(edit_, EM_SETSEL, 0, -1);
    else ::SendMessageW(edit_, EM_SETSEL, start, end);
}

void TSpinNumberEdit::Paste() {
    const std::wstring line(spin_single_line(clipboard_text(edit_)));
    ::SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
}

void TSpinNumberEdit::PaintButtons(HDC dc) {
    for (int direction : {+1, -1}) {
        RECT r = ButtonRect(direction);
        UINT state = direction > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
        if (pressed_button_ == direction) state |= DFCS_PUSHED;
        if (!::IsWindowEnabled(handle())) state |= DFCS_INACTIVE;
        ::DrawFrameControl(dc, &r, DFC_SCROLL, state);
    }
}

void TSpinNumberEdit::ReleaseButton() {
    if (!pressed_button_) return;
    pressed_button_ = 0;
    ::KillTimer(handle(), kRepeatTimer);
    if (::GetCapture() == handle()) ::ReleaseCapture();
    ::InvalidateRect(handle(), nullptr, FALSE);
}

LRESULT TSpinNumberEdit::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SETFOCUS:
        if (edit_) ::SetFocus(edit_);
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wparam);
        if (edit_) ::SendMessageW(edit_, WM_SETFONT, wparam, lparam);
        Layout();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
        Layout();
        return 0;
    case WM_ENABLE:
        if (edit_) ::EnableWindow(edit_, wparam ? TRUE : FALSE);
        ::InvalidateRect(handle(), nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        win::PaintDC dc(handle());
        PaintButtons(dc.get());
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int direction = ButtonAt({static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
        if (!direction) return 0;
        if (edit_ && ::GetFocus() != edit_) ::SetFocus(edit_);
        pressed_button_ = direction;
        ::SetCapture(handle());
        ::InvalidateRect(handle(), nullptr, FALSE);
        Step(direction);
        ::SetTimer(handle(), kRepeatTimer, kFirstRepeatMs, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (wparam != kRepeatTimer) break;
        // Repeats only while the button is held with the mouse.
        if (!pressed_button_ || ::GetCapture() != handle()) {
            ReleaseButton();
            return 0;
        }
        ::SetTimer(handle(), kRepeatTimer, kRepeatMs, nullptr);
        Step(pressed_button_);
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        ReleaseButton();
        return 0;
    case WM_SETCURSOR:
        if (cursor_) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lparam) == edit_ && HIWORD(wparam) == EN_CHANGE && OnChange) OnChange(*this);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        // The dialog colours its controls.
        return ::SendMessageW(::GetParent(handle()), message, wparam, lparam);
    default:
        break;
    }
    return default_message(message, wparam, lparam);
}

LRESULT CALLBACK TSpinNumberEdit::EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                                DWORD_PTR self) {
    auto* control = reinterpret_cast<TSpinNumberEdit*>(self);
    try {
        return control->EditMessage(message, wparam, lparam);
    } catch (...) {
        return win::def_subclass_proc(edit, message, wparam, lparam);
    }
}

LRESULT TSpinNumberEdit::EditMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        // Enter is the field's own: it presses the default buttons itself.
        const auto* msg = reinterpret_cast<const MSG*>(lparam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        entered_by_mouse_ = false;
        enter_swallowed_ = false;
        if (wparam == VK_UP) StepUp();
        else if (wparam == VK_DOWN) StepDown();
        else if (wparam == VK_RETURN) {
            enter_swallowed_ = true;
            PressDefaultButtons();
            return 0;
        }
        break;
    case WM_CHAR: {
        // Enter comes as CR, Ctrl+Enter as LF: the key was handled, its character is not typed.
        if ((wparam == L'\r' || wparam == L'\n') && enter_swallowed_) {
            enter_swallowed_ = false;
            return 0;
        }
        const auto typed = typed_.take(edit_, wparam);
        if (!typed) return 0;  // the first byte of a double-byte character: decided with the second
        if (!spin_char_allowed(typed->character, decimal_separator(), EditorEnabled)) {
            ::MessageBeep(0);
            return 0;
        }
        if (typed->lead_byte) win::def_subclass_proc(edit_, message, typed->lead_byte, lparam);
        break;
    }
    case WM_PASTE:
        if (!EditorEnabled || read_only_) return 0;
        Paste();
        return 0;
    case WM_CUT:
    case WM_CLEAR:
        if (!EditorEnabled || read_only_) return 0;
        break;
    case WM_SETTEXT:
    case EM_REPLACESEL: {
        // Text given from outside is held to one line too.
        if (!lparam) break;
        const win::MessageTextParameter line(edit_, spin_single_line(win::message_text(edit_, lparam)));
        return win::def_subclass_proc(edit_, message, wparam, line.get());
    }
    case WM_SETFOCUS: {
        const LRESULT result = win::def_subclass_proc(edit_, message, wparam, lparam);
        if (AutoSelect) {
            entered_by_mouse_ = ::GetKeyState(VK_LBUTTON) < 0;
            ::SendMessageW(edit_, EM_SETSEL, 0, -1);
        }
        return result;
    }
    case WM_LBUTTONDOWN: {
        const LRESULT result = win::def_subclass_proc(edit_, message, wparam, lparam);
        // The press that brought the focus would leave a caret in place of the selection.
        if (entered_by_mouse_) {
            entered_by_mouse_ = false;
            ::SendMessageW(edit_, EM_SETSEL, 0, -1);
        }
        return result;
    }
    case WM_KILLFOCUS: {
        const std::int32_t value = Value();
        if (clamp_spin_value(value, range_) != value) SetValue(value);
        break;
    }
    case WM_SETCURSOR:
        if (cursor_) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return win::def_subclass_proc(edit_, message, wparam, lparam);
}

} // namespace qv::controls
