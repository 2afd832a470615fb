#pragma once
// What the program's dialogs share: a modal dialog base whose window has no controls from a template
// (they are placed in pixels once the window exists), a client size centred on the screen, and text
// measured in a font.
#include <windows.h>

namespace qv::win {

// A modal dialog: its procedure finds the object through DWLP_USER and no exception leaves it.
class ModalDialog {
public:
    ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

protected:
    // Shows a modal-frame dialog with this caption over `owner` and returns EndDialog's result once it
    // has closed; throws AppError when the system cannot make it.
    INT_PTR run_modal(HWND owner, const wchar_t* caption);
    // A message for the dialog (WM_INITDIALOG first); an exception it throws is reported.
    virtual INT_PTR on_message(UINT message, WPARAM wparam, LPARAM lparam) = 0;

    HWND window_ = nullptr;  // while the dialog exists

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
};

// Gives the window this client size and centres it on the screen.
void center_with_client_size(HWND window, int client_width, int client_height);

SIZE text_extent(HWND window, HFONT font, const wchar_t* text);

} // namespace qv::win
