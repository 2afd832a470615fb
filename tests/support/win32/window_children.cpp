#include "support/win32/window_children.h"

#include "support/win32/app_driver.h"

namespace qv::test {

std::wstring class_of(HWND window) {
    wchar_t name[256];
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring text_of(HWND window) {
    wchar_t text[1024];
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                               &length)) {
        return {};
    }
    return std::wstring(text, length);
}

static BOOL CALLBACK collect_child(HWND child, LPARAM context) {
    reinterpret_cast<std::vector<Child>*>(context)->push_back({child, class_of(child), text_of(child)});
    return TRUE;
}

std::vector<Child> children_of(HWND parent) {
    std::vector<Child> found;
    ::EnumChildWindows(parent, &collect_child, reinterpret_cast<LPARAM>(&found));
    return found;
}

const Child* child_with_text(const std::vector<Child>& children, std::wstring_view text) {
    for (const Child& child : children) {
        if (child.text == text) return &child;
    }
    return nullptr;
}

HWND find_dialog(DWORD process_id, std::wstring_view caption) {
    for (HWND window : find_windows(process_id, L"#32770")) {
        if (::IsWindowVisible(window) && text_of(window) == caption) return window;
    }
    return nullptr;
}

} // namespace qv::test
