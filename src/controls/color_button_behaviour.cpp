#include "controls/color_button_behaviour.h"

namespace qv::controls {

void ColorButtonBehaviour::SetColor(skin::Color color) {
    if (color == color_) return;
    color_ = color;
    site_.Repaint();
}

void ColorButtonBehaviour::SetTracking(bool tracking) {
    tracking_ = tracking;
    site_.SetTrackingTimer(tracking);
}

void ColorButtonBehaviour::LeftDown() {
    SetTracking(true);
    pressed_ = true;
    site_.Repaint();
}

void ColorButtonBehaviour::TrackingTick() {
    if (!tracking_) return;
    const skin::Point at = site_.CursorPos();
    const skin::Size size = site_.ClientSize();
    if (at.x < 0 || at.y < 0 || at.x > size.cx || at.y > size.cy) {
        pressed_ = false;
        site_.Repaint();
        SetTracking(false);
    }
}

void ColorButtonBehaviour::LeftUp() {
    SetTracking(false);
    if (!pressed_) {
        site_.Repaint();
        return;
    }
    if (const auto chosen = site_.PickColor(Options)) color_ = *chosen;
    pressed_ = false;
    site_.Repaint();
    site_.Clicked();
}

} // namespace qv::controls
