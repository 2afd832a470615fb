#pragma once
// Windows of another process looked at from the test: class names, texts (asked with a time limit, so a
// hung program does not hang the test), child controls and shown dialogs by caption.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

std::wstring class_of(HWND window);
std::wstring text_of(HWND window);

struct Child {
    HWND window;
    std::wstring class_name;
    std::wstring text;
};
// Every descendant control of the window.
std::vector<Child> children_of(HWND parent);
const Child* child_with_text(const std::vector<Child>& children, std::wstring_view text);

// A shown dialog (class #32770) of the process with this caption, or null.
HWND find_dialog(DWORD process_id, std::wstring_view caption);

} // namespace qv::test
