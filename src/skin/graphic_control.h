#pragma once
// Windowless controls: each paints into its parent's surface and has no window of its own. The parent
// is a ControlHost (graphic_host.h: the portable one; win32/window_surface.h puts it in a window). A
// control asks its host to repaint it at once (Repaint) or at the next paint (Invalidate); the host
// calls Paint with a canvas in the control's coordinates, clipped to the control.
#include <functional>
#include <string>

#include "skin/canvas.h"
#include "skin/color.h"
#include "skin/text.h"

namespace qv::skin {

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum ShiftState : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
enum TBorderStyle { bsNone, bsSingle };

struct PaintContext {
    Canvas& canvas;
    TextRenderer& text;
    const SystemColors& colors;

    Pixel Resolve(Color c) const { return colors.ResolvePixel(c); }
};

class GraphicControl;

class ControlHost {
public:
    virtual ~ControlHost() = default;
    virtual TextRenderer& Text() = 0;
    virtual const SystemColors& Colors() const = 0;

    // Redraws the control's rectangle now and shows it: what lies beneath (unless the control is
    // opaque), the control, and the controls above it.
    virtual void RepaintControl(GraphicControl& control) = 0;
    // Schedules a redraw of `area` (host coordinates) for the next paint.
    virtual void InvalidateArea(const Rect& area) = 0;
    // Lets `draw` paint straight onto the control's part of the surface, over what is there, then
    // redraws the controls above it and shows the result.
    virtual void DrawOnControl(GraphicControl& control, const std::function<void(PaintContext&)>& draw) = 0;
    // A modal error message with one OK button.
    virtual void ShowError(const std::wstring& text) = 0;

protected:
    friend class GraphicControl;
    virtual void Attach(GraphicControl& control) = 0;
    virtual void Detach(GraphicControl& control) = 0;
};

class GraphicControl {
public:
    using NotifyEvent = std::function<void(GraphicControl& sender)>;
    using MouseEvent = std::function<void(GraphicControl& sender, TMouseButton button, unsigned shift, int x, int y)>;
    using MouseMoveEvent = std::function<void(GraphicControl& sender, unsigned shift, int x, int y)>;

    GraphicControl(int width, int height);
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;
    virtual ~GraphicControl();

    ControlHost* Parent() const noexcept { return parent_; }
    // Puts the control on top of the host's controls (null: takes it off its host).
    void SetParent(ControlHost* host);

    int Left() const noexcept { return bounds_.left; }
    int Top() const noexcept { return bounds_.top; }
    int Width() const noexcept { return bounds_.Width(); }
    int Height() const noexcept { return bounds_.Height(); }
    Rect BoundsRect() const noexcept { return bounds_; }
    Rect ClientRect() const noexcept { return {0, 0, Width(), Height()}; }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);

    // The full paint, in control coordinates.
    virtual void Paint(PaintContext& pc) = 0;
    // Whether Paint covers every pixel of the control, so nothing beneath needs drawing first.
    virtual bool Opaque() const { return false; }

    // Redraws at once (nothing without a parent or while hidden).
    virtual void Repaint();
    // Schedules a redraw of the control's rectangle.
    void Invalidate();

    // Mouse input, from the host, in control coordinates. The defaults raise the events.
    virtual void MouseDown(TMouseButton button, unsigned shift, int x, int y);
    virtual void MouseUp(TMouseButton button, unsigned shift, int x, int y);
    virtual void MouseMove(unsigned shift, int x, int y);
    // A left press and release on the control.
    virtual void Click();

    std::wstring Name;
    NotifyEvent OnClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;

protected:
    // A requested size may be replaced (a control sized by its picture).
    virtual void AdjustSize(int& /*width*/, int& /*height*/) {}
    // After the size changed.
    virtual void Resized() {}
    // After the control was put on a host or taken off one.
    virtual void ParentChanged() {}

private:
    friend class GraphicHost;
    ControlHost* parent_ = nullptr;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool clicked_ = false;  // a left press began on this control
};

} // namespace qv::skin
