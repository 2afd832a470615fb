#pragma once
// The parent of windowless controls: keeps them in z-order (first attached at the bottom), paints the
// background and the controls into one retained surface, and routes the mouse to the control under it
// as a window would (a left press captures the mouse for its control; releasing inside the control
// clicks it). What it paints reaches the screen through HostScreen, so a batch of changes (a display
// refresh setting six gauges) can reach it as one copy.
#include <functional>
#include <vector>

#include "skin/graphic_control.h"

namespace qv::skin {

// What a host needs from the platform.
class HostScreen {
public:
    virtual ~HostScreen() = default;
    // Shows `area` of the surface now.
    virtual void Present(const Rect& area) = 0;
    // Asks for a paint of `area` later.
    virtual void Schedule(const Rect& area) = 0;
    virtual void SetMouseCapture(bool capture) = 0;
    virtual void ShowError(const std::wstring& text) = 0;
};

class GraphicHost final : public ControlHost {
public:
    GraphicHost(TextRenderer& text, const SystemColors& colors, HostScreen& screen);
    ~GraphicHost() override;
    GraphicHost(const GraphicHost&) = delete;
    GraphicHost& operator=(const GraphicHost&) = delete;

    // The retained surface everything is painted into (owned by the caller; null: nothing is drawn).
    void SetSurface(PixelBuffer* surface) noexcept { surface_ = surface; }
    PixelBuffer* Surface() const noexcept { return surface_; }

    // The background: filled with skin::Color unless OnPaintBackground is set.
    void SetColor(skin::Color color);
    skin::Color Color() const noexcept { return color_; }
    std::function<void(Canvas& canvas, const Rect& area)> OnPaintBackground;

    // Paints `area` of the surface: background, then every visible control in z-order. Shows nothing.
    void Paint(const Rect& area);

    const std::vector<GraphicControl*>& Controls() const noexcept { return controls_; }
    void BringToFront(GraphicControl& control);
    void SendToBack(GraphicControl& control);
    // The topmost visible and enabled control holding the point.
    GraphicControl* ControlAt(int x, int y) const;

    // Mouse events in host coordinates; each answers whether a control took it (if not, the event is
    // the host window's own).
    bool MouseDown(TMouseButton button, unsigned shift, int x, int y);
    bool MouseMove(unsigned shift, int x, int y);
    bool MouseUp(TMouseButton button, unsigned shift, int x, int y);
    // The platform took the mouse away (another window captured it, a move loop began): no click follows.
    void CaptureLost() noexcept;
    GraphicControl* MouseCaptureControl() const noexcept { return capture_; }

    // Between BeginUpdate and EndUpdate, repaints still draw at once but reach the screen together, as
    // one copy, at the last EndUpdate.
    void BeginUpdate() noexcept { ++updating_; }
    void EndUpdate();

    // ControlHost
    TextRenderer& Text() override { return text_; }
    const SystemColors& Colors() const override { return colors_; }
    void RepaintControl(GraphicControl& control) override;
    void InvalidateArea(const Rect& area) override;
    void DrawOnControl(GraphicControl& control, const std::function<void(PaintContext&)>& draw) override;
    void ShowError(const std::wstring& text) override { screen_.ShowError(text); }

protected:
    void Attach(GraphicControl& control) override;
    void Detach(GraphicControl& control) override;

private:
    std::size_t IndexOf(const GraphicControl& control) const;
    // Paints controls [first, end) that are visible, clipped to `area`.
    void PaintControls(std::size_t first, const Rect& area);
    void PaintControl(GraphicControl& control, const Rect& area);
    void Show(const Rect& area);

    TextRenderer& text_;
    const SystemColors& colors_;
    HostScreen& screen_;
    PixelBuffer* surface_ = nullptr;
    skin::Color color_ = clBtnFace;
    std::vector<GraphicControl*> controls_;
    GraphicControl* capture_ = nullptr;
    int updating_ = 0;
    Rect pending_;
};

// Keeps a host in update mode for a scope.
class UpdateBatch {
public:
    explicit UpdateBatch(GraphicHost& host) noexcept : host_(host) { host_.BeginUpdate(); }
    UpdateBatch(const UpdateBatch&) = delete;
    UpdateBatch& operator=(const UpdateBatch&) = delete;
    ~UpdateBatch() { host_.EndUpdate(); }

private:
    GraphicHost& host_;
};

} // namespace qv::skin
