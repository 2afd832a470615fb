#pragma once
// TSpinNumberEdit: the integer field of the settings dialog. A one-line edit that takes only number
// characters, with two stacked step buttons at its right edge (a press steps at once, holding repeats
// after 400 ms every 100 ms) and the arrow keys stepping too. Its value is the decimal text; setting,
// stepping and leaving the field keep it in range, typing does not. Entering the field selects the
// whole text, by keyboard or by mouse, and Enter presses the dialog's default buttons.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/win32/message_text.h"
#include "base/win32/window.h"
#include "controls/spin_edit_rules.h"

namespace qv::controls {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TSpinNumberEdit final : public win::Window {
public:
    TSpinNumberEdit(HWND parent, int x, int y, int width = 100, int height = 0, int id = 0);
    ~TSpinNumberEdit() override;

    // The text as a number; MinValue when it is none.
    std::int32_t Value() const;
    // Clamped, written as decimal text; OnChange follows when the text changed.
    void SetValue(std::int32_t value);
    std::int32_t MinValue() const noexcept { return range_.MinValue; }
    void SetMinValue(std::int32_t value) noexcept { range_.MinValue = value; }
    std::int32_t MaxValue() const noexcept { return range_.MaxValue; }
    void SetMaxValue(std::int32_t value) noexcept { range_.MaxValue = value; }
    std::int32_t Increment = 1;
    bool AutoSelect = true;
    // False: nothing can be typed, pasted or cut (the buttons still step).
    bool EditorEnabled = true;
    bool ReadOnly() const;
    void SetReadOnly(bool read_only);
    TAlignment Alignment() const noexcept { return alignment_; }
    // Makes the text field anew, keeping its text.
    void SetAlignment(TAlignment alignment);
    // Over the text and the buttons alike; null: the usual cursors.
    void SetCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }

    std::wstring Text() const;
    void SetText(const std::wstring& text);
    HWND EditWindow() const noexcept { return edit_; }

    // The buttons' and arrow keys' steps: a beep while read-only.
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

    // Every change of the text, typed or set.
    std::function<void(TSpinNumberEdit& sender)> OnChange;

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT EditMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void CreateEdit(const std::wstring& text);
    void Layout();
    int MinimumHeight() const;
    RECT ButtonRect(int direction) const;
    int ButtonAt(POINT client) const;
    void Step(int direction);
    void PressDefaultButtons();
    // The clipboard's text up to its first line break.
    void Paste();
    void PaintButtons(HDC dc);
    void ReleaseButton();

    HWND edit_ = nullptr;
    HFONT font_ = nullptr;  // the dialog's font; not owned
    HCURSOR cursor_ = nullptr;
    SpinRange range_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool read_only_ = false;
    bool entered_by_mouse_ = false;  // the focus came with a left press whose own mouse-down is still to come
    bool enter_swallowed_ = false;   // Enter was handled as a key; its character is not typed
    int pressed_button_ = 0;         // +1 up, -1 down, 0 none
    win::TypedCharacters typed_;
};

} // namespace qv::controls
