#pragma once
// What the window shows, painted into one surface: the background picture BackImage beneath everything,
// the replaceable elements of the design (the default gauges or a skin's elements, with the retired
// ones) and the scale the default design is drawn at. The default design and a skin both draw here; the
// main window owns it and lends it to them.
#include <windows.h>

#include "app/design_slots.h"
#include "app/display_values.h"
#include "base/win32/display_scale.h"
#include "skin/graphic_control.h"
#include "skin/win32/form_rgn.h"
#include "skin/win32/picture_file.h"
#include "skin/win32/window_surface.h"

namespace qv::app {

class DesignCanvas {
public:
    static constexpr int kBackImageLeft = -2;  // the background picture is drawn from client x -2

    explicit DesignCanvas(HWND window);
    DesignCanvas(const DesignCanvas&) = delete;
    DesignCanvas& operator=(const DesignCanvas&) = delete;

    HWND window() const noexcept { return surface.Window(); }
    skin::GraphicHost& host() noexcept { return surface.Host(); }

    // The default design is laid out at 96 pixels an inch and drawn at the scale the program started at
    // (it is DPI-aware for the system's scale); skins keep their pictures' pixels.
    const int dpi = win::system_dpi();
    int scaled(int length) const noexcept { return win::scale_to_dpi(length, dpi); }
    skin::Font scaled(skin::Font font) const;

    // The handler of a press on any element: the left button drags the window.
    skin::GraphicControl::MouseEvent drag_on_press();
    // The system's move loop, as if the window had a caption bar.
    void start_drag();
    // The desktop under the window as its background instead of the window colour.
    void apply_transparent_back(bool transparent);
    void show_figures(const DisplayFigures& figures, bool skin_active, long long total_mb);
    void show_picture_error(skin::win::PictureFileError::Kind kind);

    // Declaration order is construction order: the surface first, the elements drawn on it after.
    skin::win::WindowSurface surface;
    skin::win::TFormRgn BackImage;
    // The gauges of the default design and a skin's elements, with the retired ones.
    DesignSlots design;
};

} // namespace qv::app
