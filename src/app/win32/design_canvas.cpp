#include "app/win32/design_canvas.h"

#include "app/app_info.h"

namespace qv::app {

DesignCanvas::DesignCanvas(HWND window) : surface(window), BackImage(window) {
    surface.ErrorCaption = L"ERROR";
    surface.Host().SetColor(kDefaultWindowColor);
    // The background picture lies beneath everything else: it is attached first.
    BackImage.SetBounds(scaled(kBackImageLeft), 0, scaled(kClientWidth) + 2, scaled(kClientHeight));
    BackImage.SetParent(&surface.Host());
    BackImage.OnMouseDown = drag_on_press();
}

skin::Font DesignCanvas::scaled(skin::Font font) const {
    font.Height = win::scale_to_dpi(font.Height, dpi);
    return font;
}

skin::GraphicControl::MouseEvent DesignCanvas::drag_on_press() {
    return [this](skin::GraphicControl&, skin::TMouseButton button, unsigned, int, int) {
        if (button == skin::mbLeft) start_drag();
    };
}

void DesignCanvas::start_drag() {
    ::ReleaseCapture();
    ::SendMessageW(window(), WM_SYSCOMMAND, SC_MOVE + 2, 0);
}

void DesignCanvas::apply_transparent_back(bool transparent) {
    if (!transparent) {
        surface.OnPaintBackground = nullptr;
        return;
    }
    surface.OnPaintBackground = [this](HDC dc, const RECT&) {
        // The desktop as it lies under the window: the buffer's origin moved to the client area's place
        // on the screen, so the wallpaper lines up with the desktop around the window.
        POINT origin{0, 0};
        ::ClientToScreen(window(), &origin);
        ::SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
        ::PaintDesktop(dc);
    };
}

void DesignCanvas::show_figures(const DisplayFigures& figures, bool skin_active, long long total_mb) {
    skin::UpdateBatch batch(surface.Host());
    if (skin_active) design.ShowOnSkin(figures);
    else design.ShowOnDefaultGauges(figures, total_mb);
}

void DesignCanvas::show_picture_error(skin::win::PictureFileError::Kind kind) {
    const wchar_t* text = kind == skin::win::PictureFileError::CannotOpen
                              ? L"背景画像が読み込めません"
                              : L"背景画像ファイルが認識できるファイルではありません";
    ::MessageBoxW(window(), text, L"ERROR", MB_OK | MB_ICONWARNING);
}

} // namespace qv::app
