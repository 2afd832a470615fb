#pragma once
// TSelectColorButton: a focusable child window showing a colour swatch in a raised 3-D frame. Clicking
// it opens the system colour dialog and takes the colour chosen there; OnClick follows the dialog
// whether it was accepted or cancelled. A press dragged off the button is cancelled.
#include <windows.h>

#include <functional>
#include <optional>

#include "base/win32/window.h"
#include "controls/color_button_behaviour.h"

namespace qv::controls {

class TSelectColorButton final : public win::Window, private ColorButtonSite {
public:
    TSelectColorButton(HWND parent, int x, int y, int width = 90, int height = 25, int id = 0);
    ~TSelectColorButton() override;

    skin::Color Color() const noexcept { return behaviour_.Color(); }
    // Repaints only for a different colour.
    void SetColor(skin::Color color) { behaviour_.SetColor(color); }
    unsigned Options() const noexcept { return behaviour_.Options; }
    void SetOptions(unsigned options) noexcept { behaviour_.Options = options; }
    bool Enabled() const { return ::IsWindowEnabled(handle()) != FALSE; }
    void SetEnabled(bool enabled) { ::EnableWindow(handle(), enabled ? TRUE : FALSE); }
    bool Pressed() const noexcept { return behaviour_.Pressed(); }

    std::function<void(TSelectColorButton& sender)> OnClick;
    // The colour dialog (ChooseColor by default); tests put their own in.
    std::function<std::optional<skin::Color>(HWND owner, unsigned options)> ColorDialog;

    // ChooseColor with the options (TColorDialogOption bits) and the given custom colours; opens on black.
    static std::optional<skin::Color> ChooseColorDialog(HWND owner, unsigned options, COLORREF (&custom)[16]);

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void Repaint() override;
    void SetTrackingTimer(bool enabled) override;
    skin::Point CursorPos() override;
    skin::Size ClientSize() override;
    std::optional<skin::Color> PickColor(unsigned options) override;
    void Clicked() override;
    void Paint(HDC dc);

    ColorButtonBehaviour behaviour_{*this};
    COLORREF custom_colors_[16];
};

} // namespace qv::controls
