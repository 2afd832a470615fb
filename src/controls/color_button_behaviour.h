#pragma once
// How TSelectColorButton reacts to the mouse, apart from its window: a left press pushes it in and
// starts a 100 ms tracking timer; moving off it pops it out (the click is cancelled); releasing while
// pushed opens the colour dialog, takes the accepted colour and raises the click whether the dialog was
// accepted or cancelled.
#include <optional>

#include "skin/color.h"
#include "skin/pixel_buffer.h"

namespace qv::controls {

enum TColorDialogOption : unsigned {
    cdFullOpen = 1,
    cdPreventFullOpen = 2,
    cdShowHelp = 4,
    cdSolidColor = 8,
    cdAnyColor = 16,
};

// What the behaviour needs from the control's window.
class ColorButtonSite {
public:
    virtual ~ColorButtonSite() = default;
    virtual void Repaint() = 0;
    virtual void SetTrackingTimer(bool enabled) = 0;
    // The cursor in control coordinates, and the control's size.
    virtual skin::Point CursorPos() = 0;
    virtual skin::Size ClientSize() = 0;
    // The colour dialog, modal; nothing when cancelled.
    virtual std::optional<skin::Color> PickColor(unsigned options) = 0;
    virtual void Clicked() = 0;
};

class ColorButtonBehaviour {
public:
    static constexpr unsigned kTrackingInterval = 100;  // milliseconds

    explicit ColorButtonBehaviour(ColorButtonSite& site) : site_(site) {}

    skin::Color Color() const noexcept { return color_; }
    // Repaints only for a different colour.
    void SetColor(skin::Color color);
    unsigned Options = 0;  // TColorDialogOption bits

    bool Pressed() const noexcept { return pressed_; }
    bool Tracking() const noexcept { return tracking_; }

    // Left button down or double-click.
    void LeftDown();
    void TrackingTick();
    void LeftUp();

private:
    void SetTracking(bool tracking);

    ColorButtonSite& site_;
    skin::Color color_ = 0x0000FFFF;  // yellow
    bool pressed_ = false;
    bool tracking_ = false;
};

} // namespace qv::controls
