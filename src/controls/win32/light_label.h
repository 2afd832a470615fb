#pragma once
// TLightLabel: a child window showing one line of text that acts like a hyperlink. It changes its look
// as the mouse enters, presses and leaves it, and a click opens its target through the shell (web page,
// mail address, file or its own caption), then raises OnClick.
#include <windows.h>

#include <functional>
#include <string>

#include "base/win32/unique_handle.h"
#include "base/win32/window.h"
#include "controls/light_label.h"

namespace qv::controls {

class TLightLabel final : public win::Window {
public:
    TLightLabel(HWND parent, int x, int y, int width, int height, std::wstring caption);
    ~TLightLabel() override;

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring caption);
    // Looks, jump type and target; a change of the drawn look repaints the label.
    LightLabelState& Looks() noexcept { return looks_; }
    const LightLabelState& Looks() const noexcept { return looks_; }
    // Shown over the label; null for the arrow.
    HCURSOR Cursor = nullptr;

    // Makes the label at least as tall as its text in the current font (a substitute font may have a
    // taller cell than the one the layout was made for).
    void FitHeightToText();

    std::function<void(TLightLabel& sender)> OnClick;
    std::function<void(TLightLabel& sender)> OnMouseEnter;
    std::function<void(TLightLabel& sender)> OnMouseLeave;
    // Opens a jump target; the shell by default (its answer is not looked at). Tests put their own in.
    std::function<void(HWND owner, const std::wstring& target)> OpenTarget;

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    HFONT current_font();
    void Paint(HDC dc);
    bool PointerInside(LPARAM lparam) const;
    void TrackLeave();
    void Enter();
    void Leave();
    void Release(bool inside);
    void Click();

    std::wstring caption_;
    LightLabelState looks_;
    bool pressed_ = false;  // the left button went down on the label and is still held
    bool tracking_leave_ = false;
    skin::Font font_made_;  // the description font_ was made from
    win::UniqueFont font_;
};

}  // namespace qv::controls
