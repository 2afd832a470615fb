#include "app/win32/about_dialog.h"

#include "app/win32/resources/resource_ids.h"
#include "base/win32/dialog_frame.h"
#include "base/win32/display_scale.h"
#include "skin/win32/gdi_text.h"

namespace qv::app {
namespace {

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 142;

// One about dialog at a time: a second request brings the open one forward.
HWND open_dialog = nullptr;

// Laid out at 96 pixels an inch, drawn at the system's scale.
using win::scaled;

skin::Font japanese_font(const wchar_t* name, int height, unsigned style = 0) {
    return {name, scaled(height), style, skin::kShiftJisCharset, skin::clBlack};
}

}  // namespace

TForm3::~TForm3() {
    if (window_ && open_dialog == window_) open_dialog = nullptr;
}

HWND TForm3::OpenDialog() noexcept {
    return open_dialog;
}

void TForm3::ShowModal(HWND owner, const std::function<void(HWND)>& opened) {
    opened_ = opened;
    run_modal(owner, kAboutCaption);
    home_link_.reset();
    mail_link_.reset();
}

INT_PTR TForm3::on_message(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            open_dialog = window_;
            FormCreate();
            if (opened_) opened_(window_);
            return FALSE;  // the focus is on OK already
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_NCDESTROY:
            if (open_dialog == window_) open_dialog = nullptr;
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
                ::EndDialog(window_, LOWORD(wparam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void TForm3::FormCreate() {
    form_font_ = skin::win::CreateFontFor(japanese_font(L"ＭＳ Ｐゴシック", -12));
    title_font_ = skin::win::CreateFontFor(japanese_font(L"ＭＳ Ｐ明朝", -13, skin::fsBold));
    caption_font_ =
        skin::win::CreateFontFor({L"MS Sans Serif", scaled(-13), skin::fsBold, skin::kDefaultCharset, skin::clBlack});
    win::center_with_client_size(window_, scaled(kClientWidth), scaled(kClientHeight));

    const int icon_size = scaled(32);
    icon_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON,
                                                icon_size, icon_size, LR_DEFAULTCOLOR)));
    HWND icon = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, scaled(8), scaled(8),
                                  icon_size, icon_size, window_, nullptr, nullptr, nullptr);
    ::SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);

    add_label(48, 16, kVersionText, title_font_.get());
    add_label(21, 45, L"HomePage", caption_font_.get());
    home_link_ = add_link(109, 49, 163, 12, kHomePage, controls::jtHome);
    add_label(37, 69, L"E-Mail", caption_font_.get());
    mail_link_ = add_link(117, 69, 146, 12, kSupportMail, controls::jtMail);
    add_label(57, 90, kAboutInfo, form_font_.get());
    ::SetFocus(add_ok_button());

    // Clicking the home page opens it and closes the dialog; the mail link leaves it open.
    home_link_->OnClick = [this](controls::TLightLabel&) { ::EndDialog(window_, IDOK); };
    // The program has no active window of its own when asked from the tray.
    ::SetForegroundWindow(window_);
}

HWND TForm3::add_label(int x, int y, const wchar_t* text, HFONT font) {
    const SIZE size = win::text_extent(window_, font, text);
    HWND label = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, scaled(x),
                                   scaled(y), size.cx, size.cy, window_, nullptr, nullptr, nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}

std::unique_ptr<controls::TLightLabel> TForm3::add_link(int x,
                                                        int y,
                                                        int width,
                                                        int height,
                                                        const wchar_t* text,
                                                        controls::TJumpType type) {
    auto link = std::make_unique<controls::TLightLabel>(window_, scaled(x), scaled(y), scaled(width), scaled(height),
                                                        text);
    controls::LightLabelState& looks = link->Looks();
    skin::Font font = japanese_font(L"ＭＳ Ｐゴシック", -12);
    font.FontColor = skin::clBlue;
    looks.SetDefaultFont(font);
    font.Style = skin::fsUnderline;
    looks.SetLightFont(font);
    font.Style = 0;
    font.FontColor = skin::clRed;
    looks.SetClickFont(font);
    looks.JumpType = type;
    looks.JumpTo = text;
    link->Cursor = ::LoadCursorW(nullptr, IDC_HAND);
    link->FitHeightToText();
    return link;
}

HWND TForm3::add_ok_button() {
    HWND ok = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, scaled(102),
                                scaled(110), scaled(75), scaled(25), window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
    ::SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);
    return ok;
}

}  // namespace qv::app
