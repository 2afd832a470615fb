#pragma once
// A skin on the design canvas: its description read, its pictures loaded (enlarged by whole factors on a
// scaled display), its gauges, progress bars, digit fields and buttons built in place of the default
// design, the window shaped to its background picture, and the hints of its progress bars.
#include <windows.h>

#include <functional>
#include <string>

#include "app/main_state.h"
#include "app/win32/default_design_view.h"
#include "app/win32/design_canvas.h"
#include "base/win32/unique_handle.h"
#include "metrics/system_probe.h"
#include "settings/win32/store_services.h"
#include "skin/skin_description.h"

namespace qv::app {

class SkinView {
public:
    // `button_click` runs for a press on any of the skin's buttons.
    SkinView(DesignCanvas& canvas, DefaultDesignView& default_design, settings::win32::SystemServices& services,
             metrics::TSystemProbe& probe, MainState& state,
             std::function<void(skin::GraphicControl& sender)> button_click);
    SkinView(const SkinView&) = delete;
    SkinView& operator=(const SkinView&) = delete;

    // False when the file is no skin (nothing changed then); throws when a skin cannot be built.
    bool LoadSkin(const std::wstring& file);
    void clear_progress_hints();
    // The window is going: the hints' tooltip goes with it.
    void drop_progress_hints() { progress_tips_.reset(); }
    LRESULT on_notify(NMHDR& header);

private:
    void ClearForSkin();
    void build_skin(const skin::SkinDescription& skin);
    void build_skin_button(int slot, const skin::SkinButtonSpec& spec, const skin::SkinDescription& skin);
    void shape_window_to_picture();
    void add_progress_hint(int metric, const skin::Rect& bounds);
    std::wstring ProgressHint(int metric);
    HWND window() const noexcept { return canvas_.window(); }

    DesignCanvas& canvas_;
    DefaultDesignView& default_design_;
    settings::win32::SystemServices& services_;
    metrics::TSystemProbe& SystemProbe;
    MainState& state_;
    std::function<void(skin::GraphicControl&)> button_click_;
    int skin_factor_ = 1;  // the whole factor the skin's pictures and positions are enlarged by
    // The tooltip that shows the hints of a skin's progress bars.
    win::UniqueWindow progress_tips_;
};

} // namespace qv::app
