#pragma once
// The window's default design: the title, the six captions, the six gauges and the close button XButton
// on the design canvas, the design settings (colours, fonts) applied to them, and the background picture
// the settings name. A skin hides it; restoring it puts the whole window back.
#include <functional>
#include <string>

#include "app/win32/design_canvas.h"
#include "controls/flat_button.h"
#include "metrics/system_probe.h"
#include "settings/reg_manager.h"
#include "settings/setting_items.h"
#include "skin/text_label.h"

namespace qv::app {

// Whether a background picture that cannot be shown is reported.
enum class PictureErrors { Shown, Silent };

class DefaultDesignView {
public:
    DefaultDesignView(DesignCanvas& canvas, settings::TRegManager& settings, metrics::TSystemProbe& probe,
                      std::function<void()> x_button_click);
    DefaultDesignView(const DefaultDesignView&) = delete;
    DefaultDesignView& operator=(const DefaultDesignView&) = delete;

    void CreateDefaultGauges();
    // The default design in place of whatever the canvas showed (its slots already cleared): new gauges,
    // the fixed elements, and the whole window again, whatever shape and size a skin gave it.
    void show();
    void show_fixed_elements(bool shown);
    void apply_fonts_and_button();
    void apply_gauge_design_to_default_gauges();
    void load_background_picture(PictureErrors errors = PictureErrors::Shown);
    void set_title(const std::wstring& text) { Title.SetCaption(text); }

private:
    struct GaugeDesign {
        skin::Color ForeColor1 = 0, ForeColor2 = 0, BackColor = 0;
        skin::Font Font;
    };
    GaugeDesign read_gauge_design(const skin::Font& created_font);
    skin::Font read_font(settings::FontItem font_item, settings::IntegerItem style_item, const skin::Font& current);
    bool load_back_picture(const std::wstring& path, PictureErrors errors);

    DesignCanvas& canvas_;
    settings::TRegManager& RM;
    metrics::TSystemProbe& SystemProbe;
    skin::TextLabel Title, Mem, Swap, CPU, Sys, User, GDI;
    controls::TFlatButton XButton;
};

} // namespace qv::app
