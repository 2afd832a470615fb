#pragma once
// Windowless controls in a window. The surface keeps a DIB section the size of the client area; every
// paint draws the background and the controls into it and puts the painted area on screen with one
// BitBlt, so nothing flickers. Repaints between paint messages (a gauge whose value changed) draw into
// the same DIB and are shown at once, or, inside an UpdateBatch, together at its end.
//
// Use from a window (the main window holds six gauges, seven labels and the close button so):
//
//     surface_ = std::make_unique<skin::win::WindowSurface>(handle());      // after the window exists
//     surface_->Host().SetColor(window_color);                              // background
//     BackImage.SetParent(&surface_->Host());                                // bottom of the z-order
//     Title.SetParent(&surface_->Host()); ...                                // labels, gauges, XButton
//     LRESULT on_message(UINT m, WPARAM w, LPARAM l) override {
//         LRESULT r;
//         if (surface_ && surface_->HandleMessage(m, w, l, r)) return r;    // paint, erase, mouse
//         ...                                                                // the window's own messages
//     }
//     { skin::UpdateBatch batch(surface_->Host()); gauge1.SetProgress(...); ... }   // one copy to screen
//
// Mouse messages over a visible, enabled control go to that control and are handled (the system's
// default handling still runs, so a right click still sends WM_CONTEXTMENU); elsewhere they are left
// to the window's own handlers. Controls must be taken off the host (SetParent(nullptr) or destroyed) before
// the surface goes, or outlive it: the surface detaches whatever is still on it when destroyed.
#include <windows.h>

#include <functional>
#include <memory>

#include "base/win32/window.h"
#include "skin/graphic_host.h"
#include "skin/win32/dib_section.h"
#include "skin/win32/gdi_text.h"
#include "skin/win32/system_colors.h"

namespace qv::skin::win {

class WindowSurface final : private HostScreen {
public:
    explicit WindowSurface(HWND window);
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;
    ~WindowSurface() override;

    HWND Window() const noexcept { return window_; }
    GraphicHost& Host() noexcept { return *host_; }
    GdiTextRenderer& Text() noexcept { return text_; }

    // Paint, background erase, size and mouse messages. Answers whether the message was handled here;
    // if so, `result` is its answer.
    bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    // Instead of the plain colour: draws the background of `area` with GDI on the back buffer's DC
    // (clipped to `area`), e.g. a copy of the desktop.
    std::function<void(HDC dc, const RECT& area)> OnPaintBackground;

    // Paints the whole client area now and shows it.
    void Refresh();
    // The back buffer, as last painted (tests, screenshots).
    const DibSection& BackBuffer() const noexcept { return back_; }
    // Caption of the message box of ShowError.
    std::wstring ErrorCaption = L"Error";

private:
    void Present(const Rect& area) override;
    void Schedule(const Rect& area) override;
    void SetMouseCapture(bool capture) override;
    void ShowError(const std::wstring& text) override;

    void EnsureBackBuffer();
    void Paint(HDC target, const Rect& area);
    bool Mouse(UINT message, WPARAM wparam, LPARAM lparam);

    HWND window_;
    GdiTextRenderer text_;
    Win32SystemColors colors_;
    DibSection back_;
    std::unique_ptr<GraphicHost> host_;
};

// A child window (or, without a parent, a popup) that is nothing but a surface for windowless
// controls: previews in dialogs, test windows.
class GraphicPanel final : public qv::win::Window {
public:
    // `parent` null: a top-level popup window at screen position (x, y).
    GraphicPanel(HWND parent, int x, int y, int width, int height, bool visible = true);
    ~GraphicPanel() override;

    WindowSurface& Surface() noexcept { return *surface_; }
    GraphicHost& Host() noexcept { return surface_->Host(); }

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    std::unique_ptr<WindowSurface> surface_;
};

} // namespace qv::skin::win
