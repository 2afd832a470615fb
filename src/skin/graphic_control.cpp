#include "skin/graphic_control.h"

namespace qv::skin {

GraphicControl::GraphicControl(int width, int height) : bounds_{0, 0, width, height} {}

GraphicControl::~GraphicControl() {
    if (parent_) {
        // Not through SetParent: the derived part is gone, nothing may be painted any more.
        parent_->InvalidateArea(bounds_);
        parent_->Detach(*this);
    }
}

void GraphicControl::SetParent(ControlHost* host) {
    if (host == parent_) return;
    if (parent_) {
        parent_->InvalidateArea(bounds_);
        parent_->Detach(*this);
    }
    parent_ = host;
    if (parent_) parent_->Attach(*this);
    ParentChanged();
    Invalidate();
}

void GraphicControl::SetBounds(int left, int top, int width, int height) {
    AdjustSize(width, height);
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    const Rect next = Rect::FromSize(left, top, width, height);
    if (next == bounds_) return;
    const bool resized = next.Width() != bounds_.Width() || next.Height() != bounds_.Height();
    if (parent_ && visible_) parent_->InvalidateArea(bounds_);
    bounds_ = next;
    if (resized) Resized();
    Invalidate();
}

void GraphicControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (parent_) parent_->InvalidateArea(bounds_);
}

void GraphicControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Invalidate();
}

void GraphicControl::Repaint() {
    if (parent_ && visible_) parent_->RepaintControl(*this);
}

void GraphicControl::Invalidate() {
    if (parent_ && visible_) parent_->InvalidateArea(bounds_);
}

void GraphicControl::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void GraphicControl::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void GraphicControl::MouseMove(unsigned shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void GraphicControl::Click() {
    if (OnClick) OnClick(*this);
}

} // namespace qv::skin
