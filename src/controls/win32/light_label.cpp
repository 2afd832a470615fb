#include "controls/win32/light_label.h"

#include <windowsx.h>

#include "base/win32/shell_open.h"
#include "skin/win32/gdi_text.h"
#include "skin/win32/system_colors.h"

namespace qv::controls {
namespace {

constexpr wchar_t kClassName[] = L"TLightLabel";
constexpr UINT kTextFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

}  // namespace

TLightLabel::TLightLabel(HWND parent, int x, int y, int width, int height, std::wstring caption)
    : caption_(std::move(caption)) {
    register_class(kClassName);
    create(kClassName, caption_.c_str(), WS_CHILD | WS_VISIBLE, 0, x, y, width, height, parent);
    looks_.OnLookChanged = [this] { ::InvalidateRect(handle(), nullptr, TRUE); };
}

TLightLabel::~TLightLabel() {
    looks_.OnLookChanged = nullptr;
    destroy();
}

void TLightLabel::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    ::SetWindowTextW(handle(), caption_.c_str());
    ::InvalidateRect(handle(), nullptr, TRUE);
}

HFONT TLightLabel::current_font() {
    if (!font_ || !(font_made_ == looks_.Font())) {
        font_ = skin::win::CreateFontFor(looks_.Font());
        font_made_ = looks_.Font();
    }
    return font_.get();
}

void TLightLabel::FitHeightToText() {
    win::WindowDC dc(handle());
    win::SelectGuard font(dc.get(), current_font());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    RECT r{};
    ::GetWindowRect(handle(), &r);
    if (metrics.tmHeight <= r.bottom - r.top) return;
    ::SetWindowPos(handle(), nullptr, 0, 0, r.right - r.left, metrics.tmHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLightLabel::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(handle(), &client);
    win::UniqueBrush back(::CreateSolidBrush(skin::win::ToColorRef(looks_.Color())));
    ::FillRect(dc, &client, back.get());
    win::SelectGuard font(dc, current_font());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, skin::win::ToColorRef(looks_.Font().FontColor));
    ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &client, kTextFormat);
}

bool TLightLabel::PointerInside(LPARAM lparam) const {
    RECT client{};
    ::GetClientRect(handle(), &client);
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    return ::PtInRect(&client, at) != FALSE;
}

void TLightLabel::TrackLeave() {
    if (tracking_leave_) return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle(), 0};
    tracking_leave_ = ::TrackMouseEvent(&track) != FALSE;
}

void TLightLabel::Enter() {
    TrackLeave();
    looks_.MouseEnter();
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TLightLabel::Leave() {
    looks_.MouseLeave();
    if (OnMouseLeave) OnMouseLeave(*this);
}

void TLightLabel::Release(bool inside) {
    const bool clicked = pressed_ && inside;
    pressed_ = false;  // before the capture goes: WM_CAPTURECHANGED comes at once
    if (::GetCapture() == handle()) ::ReleaseCapture();
    if (inside) {
        tracking_leave_ = false;  // the capture may have ended the tracking without a word
        TrackLeave();
    }
    looks_.MouseUp();
    // The click comes last: its handler may close the window holding the label.
    if (clicked) Click();
}

void TLightLabel::Click() {
    if (auto target = JumpTarget(looks_.JumpType, looks_.JumpTo, caption_)) {
        HWND owner = ::GetAncestor(handle(), GA_ROOT);
        if (OpenTarget)
            OpenTarget(owner, *target);
        else
            win::shell_open(owner, *target);
    }
    if (OnClick) OnClick(*this);
}

LRESULT TLightLabel::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            win::PaintDC dc(handle());
            Paint(dc.get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (Cursor && LOWORD(lparam) == HTCLIENT) {
                ::SetCursor(Cursor);
                return TRUE;
            }
            return default_message(message, wparam, lparam);
        case WM_MOUSEMOVE: {
            // While the button is held the label has the capture and sees the pointer leave by its moves.
            const bool inside = PointerInside(lparam);
            if (inside && !looks_.Hover())
                Enter();
            else if (!inside && looks_.Hover())
                Leave();
            return 0;
        }
        case WM_MOUSELEAVE:
            tracking_leave_ = false;
            if (looks_.Hover() && ::GetCapture() != handle()) Leave();
            return 0;
        case WM_LBUTTONDOWN:
            ::SetCapture(handle());
            pressed_ = true;
            looks_.MouseDown();
            return 0;
        case WM_LBUTTONUP:
            Release(PointerInside(lparam));
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away while held (a window opened over it): the press is over, without a click.
            if (pressed_) Release(false);
            return 0;
        default:
            return default_message(message, wparam, lparam);
    }
}

}  // namespace qv::controls
