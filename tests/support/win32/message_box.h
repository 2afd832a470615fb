#pragma once
// Message boxes a program shows, found and answered from outside: a box is a dialog window (class
// #32770) of the process with the caption the program gave it; its text is a static control.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "support/win32/app_driver.h"

namespace qv::test {

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;  // the message: the box's static controls that hold text, joined
    RECT icon_rect{};   // screen rectangle of the box's icon; empty when it shows none
};

// Waits for a shown message box of the process with this caption.
std::optional<MessageBoxView> wait_message_box(DWORD process_id, std::wstring_view caption, Millis timeout = 5s);
// Presses the box's button (IDOK, IDCANCEL, ...); true once the box has gone.
bool answer_message_box(HWND box, int button);
// Waits for the box, presses its OK button and gives its text; nothing when no box came or it stayed.
std::optional<std::wstring> dismiss_message_box(DWORD process_id, std::wstring_view caption, Millis timeout = 5s);

} // namespace qv::test
