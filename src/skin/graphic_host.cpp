#include "skin/graphic_host.h"

#include <algorithm>

namespace qv::skin {

GraphicHost::GraphicHost(TextRenderer& text, const SystemColors& colors, HostScreen& screen)
    : text_(text), colors_(colors), screen_(screen) {}

GraphicHost::~GraphicHost() {
    for (GraphicControl* control : controls_) control->parent_ = nullptr;
}

void GraphicHost::SetColor(skin::Color color) {
    if (color == color_) return;
    color_ = color;
    if (surface_) InvalidateArea(surface_->Bounds());
}

void GraphicHost::Attach(GraphicControl& control) { controls_.push_back(&control); }

void GraphicHost::Detach(GraphicControl& control) {
    std::erase(controls_, &control);
    if (capture_ == &control) {
        capture_ = nullptr;
        screen_.SetMouseCapture(false);
    }
}

std::size_t GraphicHost::IndexOf(const GraphicControl& control) const {
    return static_cast<std::size_t>(std::find(controls_.begin(), controls_.end(), &control) - controls_.begin());
}

void GraphicHost::BringToFront(GraphicControl& control) {
    const std::size_t i = IndexOf(control);
    if (i == controls_.size()) return;
    controls_.erase(controls_.begin() + static_cast<std::ptrdiff_t>(i));
    controls_.push_back(&control);
    control.Invalidate();
}

void GraphicHost::SendToBack(GraphicControl& control) {
    const std::size_t i = IndexOf(control);
    if (i == controls_.size()) return;
    controls_.erase(controls_.begin() + static_cast<std::ptrdiff_t>(i));
    controls_.insert(controls_.begin(), &control);
    control.Invalidate();
}

GraphicControl* GraphicHost::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        GraphicControl* c = *it;
        if (c->Visible() && c->Enabled() && c->BoundsRect().Contains(x, y)) return c;
    }
    return nullptr;
}

void GraphicHost::PaintControl(GraphicControl& control, const Rect& area) {
    const Rect clip = control.BoundsRect().Intersect(area);
    if (clip.Empty()) return;
    Canvas canvas(*surface_, {control.Left(), control.Top()}, clip);
    PaintContext pc{canvas, text_, colors_};
    control.Paint(pc);
}

void GraphicHost::PaintControls(std::size_t first, const Rect& area) {
    // A copy: a control's paint must not be able to disturb the iteration.
    const std::vector<GraphicControl*> order(controls_.begin() + static_cast<std::ptrdiff_t>(first), controls_.end());
    for (GraphicControl* control : order) {
        if (control->Visible()) PaintControl(*control, area);
    }
}

void GraphicHost::Paint(const Rect& area) {
    if (!surface_) return;
    const Rect clip = area.Intersect(surface_->Bounds());
    if (clip.Empty()) return;
    Canvas canvas(*surface_, {0, 0}, clip);
    if (OnPaintBackground) {
        OnPaintBackground(canvas, clip);
    } else {
        canvas.FillRect(clip, colors_.ResolvePixel(color_));
    }
    PaintControls(0, clip);
}

void GraphicHost::Show(const Rect& area) {
    if (area.Empty()) return;
    if (updating_ > 0) {
        pending_ = pending_.Union(area);
    } else {
        screen_.Present(area);
    }
}

void GraphicHost::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0 && !pending_.Empty()) {
        const Rect area = pending_;
        pending_ = {};
        screen_.Present(area);
    }
}

void GraphicHost::RepaintControl(GraphicControl& control) {
    if (!surface_ || !control.Visible()) return;
    const Rect area = control.BoundsRect().Intersect(surface_->Bounds());
    if (area.Empty()) return;
    if (control.Opaque()) {
        PaintControls(IndexOf(control), area);
    } else {
        Paint(area);
    }
    Show(area);
}

void GraphicHost::DrawOnControl(GraphicControl& control, const std::function<void(PaintContext&)>& draw) {
    if (!surface_ || !control.Visible()) return;
    const Rect area = control.BoundsRect().Intersect(surface_->Bounds());
    if (area.Empty()) return;
    Canvas canvas(*surface_, {control.Left(), control.Top()}, area);
    PaintContext pc{canvas, text_, colors_};
    draw(pc);
    PaintControls(IndexOf(control) + 1, area);
    Show(area);
}

void GraphicHost::InvalidateArea(const Rect& area) {
    if (!area.Empty()) screen_.Schedule(area);
}

bool GraphicHost::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
    GraphicControl* control = ControlAt(x, y);
    if (!control) return false;
    if (button == mbLeft) {
        capture_ = control;
        control->clicked_ = true;
        screen_.SetMouseCapture(true);
    }
    control->MouseDown(button, shift, x - control->Left(), y - control->Top());
    return true;
}

bool GraphicHost::MouseMove(unsigned shift, int x, int y) {
    GraphicControl* control = capture_ ? capture_ : ControlAt(x, y);
    if (!control) return false;
    control->MouseMove(shift, x - control->Left(), y - control->Top());
    return true;
}

bool GraphicHost::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
    GraphicControl* control = capture_ ? capture_ : ControlAt(x, y);
    if (!control) return false;
    const int cx = x - control->Left(), cy = y - control->Top();
    if (button == mbLeft && capture_) {
        capture_ = nullptr;
        screen_.SetMouseCapture(false);
    }
    if (button == mbLeft && control->clicked_) {
        control->clicked_ = false;
        if (control->ClientRect().Contains(cx, cy)) control->Click();
    }
    // The click's handler may have taken the control off this host.
    if (IndexOf(*control) < controls_.size()) control->MouseUp(button, shift, cx, cy);
    return true;
}

void GraphicHost::CaptureLost() noexcept {
    if (!capture_) return;
    capture_->clicked_ = false;
    capture_ = nullptr;
}

} // namespace qv::skin
