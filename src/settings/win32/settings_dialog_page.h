#pragma once
// One page of the settings dialog: a panel over the tab control's page area that holds the page's
// controls and passes their notifications to the page. Each page fills its share of the dialog's
// values when loaded, gives it back for the checks and the write-back, and writes its own items (if
// it has any of its own) after the shared ones.
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/win32/window.h"
#include "controls/win32/spin_number_edit.h"
#include "settings/reg_manager.h"
#include "settings/settings_dialog_values.h"

namespace qv::settings::win32 {

class TSettingsPage {
public:
    // The panel is made hidden at `area` (dialog coordinates) and shows the dialog's `font`.
    TSettingsPage(HWND dialog, const RECT& area, HFONT font);
    TSettingsPage(const TSettingsPage&) = delete;
    TSettingsPage& operator=(const TSettingsPage&) = delete;
    virtual ~TSettingsPage();

    HWND Panel() const noexcept;
    void Show(bool shown) const;

    virtual void Load(const DialogValues&) {}
    virtual void Collect(DialogValues&) const {}
    // After the shared values are written, in page order.
    virtual void WriteBack(TRegManager&, const DialogValues&) {}
    // The page's spin edit for a field the checks name; null when it is not on this page.
    virtual controls::TSpinNumberEdit* Field(DialogField) { return nullptr; }
    // The page's fields of free text, with the captions that name them in OK's check of their text.
    struct TextField {
        HWND edit;
        const wchar_t* caption;
    };
    virtual std::vector<TextField> TextFields() const { return {}; }

protected:
    // A control's notification (WM_COMMAND) and a track bar's move (WM_HSCROLL).
    virtual void OnCommand(HWND, int /*code*/) {}
    virtual void OnScroll(HWND) {}

    // Controls on the panel, placed in units of 96 pixels an inch (drawn at the system's scale).
    // `middle` is the vertical centre of the control's row, so that boxes, labels and fields of one row
    // line up whatever the font's height.
    int Width() const noexcept;
    int TextWidth(const wchar_t* text) const;
    HWND AddGroup(int x, int y, int width, int height, const wchar_t* text) const;
    HWND AddLabel(int x, int middle, const wchar_t* text) const;
    // Sized to its caption; an empty caption gives the bare box.
    HWND AddCheck(int x, int middle, const wchar_t* text, int id) const;
    HWND AddButton(int x, int y, int width, int height, const wchar_t* text, int id) const;
    HWND AddTrackBar(int x, int middle, int width, DWORD style, int id, int maximum) const;
    HWND AddHotKey(int x, int middle, int width, int id) const;
    // A drop-down list with its entries; `editable` lets the user type into it.
    HWND AddCombo(int x, int y, int width, int id, std::initializer_list<const wchar_t*> entries,
                  bool editable = false) const;
    HWND AddEdit(int x, int y, int width, int height, int id) const;
    // Right-aligned, with its range and step.
    std::unique_ptr<controls::TSpinNumberEdit> AddSpin(int x, int middle, int width, int id, int minimum,
                                                       int maximum, int increment = 1) const;

private:
    class Surface;
    HWND AddControl(const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style, int x, int y,
                    int width, int height, int id) const;
    // The same in the screen's pixels.
    HWND AddScreenControl(const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style, int x, int y,
                          int width, int height, int id) const;

    HFONT font_;
    std::unique_ptr<Surface> panel_;
};

// Right edge of a control, in its parent's coordinates (in the pages' units: 96 pixels an inch).
int RightOf(HWND control);

std::wstring TextOf(HWND window);

bool IsChecked(HWND check);
void SetChecked(HWND check, bool checked);

} // namespace qv::settings::win32
