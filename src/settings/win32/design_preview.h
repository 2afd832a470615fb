#pragma once
// Panel1, the design page's miniature of the main window: background picture, title, the six metric
// captions, the close button and six gauges, drawn together on one surface. Every colour and font the
// user picks goes here first; OK reads the values back from it.
#include <windows.h>

#include <array>
#include <memory>

#include "controls/flat_button.h"
#include "skin/cool_gauge.h"
#include "skin/picture_control.h"
#include "skin/text_label.h"
#include "skin/win32/window_surface.h"

namespace qv::settings::win32 {

class TDesignPreview {
public:
    // In units of 96 pixels an inch, with the lowered edge.
    static constexpr int kWidth = 223, kHeight = 110;

    // At (x, y) in the screen's pixels; the miniature is drawn at the system's scale.
    TDesignPreview(HWND parent, int x, int y, int id);
    TDesignPreview(const TDesignPreview&) = delete;
    TDesignPreview& operator=(const TDesignPreview&) = delete;
    ~TDesignPreview();

    HWND Handle() const noexcept { return Panel1->handle(); }

    skin::Color WindowColor() const noexcept { return Panel1->Host().Color(); }
    void SetWindowColor(skin::Color color);

    // The first gauge is the one read back; the setters keep all six alike.
    const skin::TCoolGauge& Gauge() const noexcept { return *PreviewGauges[0]; }
    void SetGaugeColor1(skin::Color color);
    void SetGaugeColor2(skin::Color color);
    void SetGaugeBackColor(skin::Color color);
    void SetGaugeFont(const skin::Font& font);

    // The six captions share MemP's font.
    const skin::Font& CaptionFont() const noexcept { return MemP.Font(); }
    void SetCaptionFont(const skin::Font& font);

    // The window's look as a fresh installation has it; the background picture stays.
    void RestoreDefaults();

    // Placement 0: centred, 1: stretched; any other value changes nothing.
    void SetPicturePlacement(int placement);

    skin::PictureControl BackImageP;
    skin::TextLabel TitleP;
    controls::TFlatButton XButtonP;

private:
    std::unique_ptr<skin::win::GraphicPanel> Panel1;  // before the controls: they leave it first
    skin::TextLabel MemP, SwapP, CPUP, SysP, UserP, GDIP;
    std::array<std::unique_ptr<skin::TCoolGauge>, 6> PreviewGauges;

    std::array<skin::TextLabel*, 6> Captions() noexcept { return {&MemP, &SwapP, &CPUP, &SysP, &UserP, &GDIP}; }
};

// The fonts the restore-defaults button gives the title and the captions.
skin::Font TitlePFont();
skin::Font LabelFont();

} // namespace qv::settings::win32
