#include "skin/win32/window_surface.h"

#include <windowsx.h>

#include "base/win32/unique_handle.h"

namespace qv::skin::win {
namespace {

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

unsigned ShiftOf(WPARAM wparam, bool double_click) {
    unsigned shift = 0;
    if (wparam & MK_SHIFT) shift |= ssShift;
    if (wparam & MK_CONTROL) shift |= ssCtrl;
    if (wparam & MK_LBUTTON) shift |= ssLeft;
    if (wparam & MK_RBUTTON) shift |= ssRight;
    if (wparam & MK_MBUTTON) shift |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (double_click) shift |= ssDouble;
    return shift;
}

} // namespace

WindowSurface::WindowSurface(HWND window)
    : window_(window), host_(std::make_unique<GraphicHost>(text_, colors_, static_cast<HostScreen&>(*this))) {
    host_->OnPaintBackground = [this](Canvas& canvas, const Rect& area) {
        if (!OnPaintBackground) {
            canvas.FillRect(area, colors_.ResolvePixel(host_->Color()));
            return;
        }
        const RECT rect = ToRect(area);
        const int saved = ::SaveDC(back_.Dc());
        ::IntersectClipRect(back_.Dc(), rect.left, rect.top, rect.right, rect.bottom);
        OnPaintBackground(back_.Dc(), rect);
        ::RestoreDC(back_.Dc(), saved);
        ::GdiFlush();
    };
    EnsureBackBuffer();
}

WindowSurface::~WindowSurface() = default;

void WindowSurface::EnsureBackBuffer() {
    RECT client{};
    ::GetClientRect(window_, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (back_.Valid() && back_.Width() == width && back_.Height() == height) return;
    if (width <= 0 || height <= 0) {
        host_->SetSurface(nullptr);
        back_ = DibSection();
        return;
    }
    back_ = DibSection(width, height);
    host_->SetSurface(&back_.Pixels());
    // A new buffer holds nothing yet: repaints of single controls must find the rest painted.
    host_->Paint(back_.Pixels().Bounds());
}

void WindowSurface::Paint(HDC target, const Rect& area) {
    EnsureBackBuffer();
    if (!back_.Valid()) return;
    const Rect clip = area.Intersect(back_.Pixels().Bounds());
    if (clip.Empty()) return;
    host_->Paint(clip);
    ::BitBlt(target, clip.left, clip.top, clip.Width(), clip.Height(), back_.Dc(), clip.left, clip.top, SRCCOPY);
}

void WindowSurface::Refresh() {
    EnsureBackBuffer();
    if (!back_.Valid()) return;
    host_->Paint(back_.Pixels().Bounds());
    Present(back_.Pixels().Bounds());
}

void WindowSurface::Present(const Rect& area) {
    if (!back_.Valid() || !::IsWindowVisible(window_)) return;
    const Rect clip = area.Intersect(back_.Pixels().Bounds());
    if (clip.Empty()) return;
    qv::win::WindowDC dc(window_);
    ::BitBlt(dc.get(), clip.left, clip.top, clip.Width(), clip.Height(), back_.Dc(), clip.left, clip.top, SRCCOPY);
}

void WindowSurface::Schedule(const Rect& area) {
    const RECT rect = ToRect(area);
    ::InvalidateRect(window_, &rect, FALSE);
}

void WindowSurface::SetMouseCapture(bool capture) {
    if (capture) {
        ::SetCapture(window_);
    } else if (::GetCapture() == window_) {
        ::ReleaseCapture();
    }
}

void WindowSurface::ShowError(const std::wstring& text) {
    ::MessageBoxW(window_, text.c_str(), ErrorCaption.c_str(), MB_OK | MB_ICONERROR);
}

bool WindowSurface::Mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    const int x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
    switch (message) {
    case WM_LBUTTONDOWN: return host_->MouseDown(mbLeft, ShiftOf(wparam, false), x, y);
    case WM_LBUTTONDBLCLK: return host_->MouseDown(mbLeft, ShiftOf(wparam, true), x, y);
    case WM_RBUTTONDOWN: return host_->MouseDown(mbRight, ShiftOf(wparam, false), x, y);
    case WM_RBUTTONDBLCLK: return host_->MouseDown(mbRight, ShiftOf(wparam, true), x, y);
    case WM_MBUTTONDOWN: return host_->MouseDown(mbMiddle, ShiftOf(wparam, false), x, y);
    case WM_MBUTTONDBLCLK: return host_->MouseDown(mbMiddle, ShiftOf(wparam, true), x, y);
    case WM_LBUTTONUP: return host_->MouseUp(mbLeft, ShiftOf(wparam, false), x, y);
    case WM_RBUTTONUP: return host_->MouseUp(mbRight, ShiftOf(wparam, false), x, y);
    case WM_MBUTTONUP: return host_->MouseUp(mbMiddle, ShiftOf(wparam, false), x, y);
    case WM_MOUSEMOVE: return host_->MouseMove(ShiftOf(wparam, false), x, y);
    default: return false;
    }
}

bool WindowSurface::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
    case WM_PAINT: {
        qv::win::PaintDC dc(window_);
        Paint(dc.get(), FromRect(dc.area()));
        result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        // The paint covers every pixel; erasing first would only flicker.
        result = 1;
        return true;
    case WM_SIZE:
        EnsureBackBuffer();
        ::InvalidateRect(window_, nullptr, FALSE);
        return false;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lparam) != window_) host_->CaptureLost();
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        if (!Mouse(message, wparam, lparam)) return false;
        // Taken by a control, so not the window's own event; the system's default handling still runs,
        // so that a right click still brings the window's context menu.
        result = ::IsWindow(window_) ? ::DefWindowProcW(window_, message, wparam, lparam) : 0;
        return true;
    default:
        return false;
    }
}

// GraphicPanel

GraphicPanel::GraphicPanel(HWND parent, int x, int y, int width, int height, bool visible) {
    register_class(L"QuorvaneGraphicPanel", CS_DBLCLKS);
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | (visible ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS;
    create(L"QuorvaneGraphicPanel", L"", style, parent ? 0 : WS_EX_TOOLWINDOW, x, y, width, height, parent);
    surface_ = std::make_unique<WindowSurface>(handle());
}

GraphicPanel::~GraphicPanel() {
    surface_.reset();
    destroy();
}

LRESULT GraphicPanel::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (surface_ && surface_->HandleMessage(message, wparam, lparam, result)) return result;
    return default_message(message, wparam, lparam);
}

} // namespace qv::skin::win
