#include "base/win32/dialog_frame.h"

#include <cwchar>

#include "base/win32/unique_handle.h"

namespace qv::win {

std::vector<WORD> empty_dialog_template(const wchar_t* caption) {
    std::vector<WORD> words;
    auto dword = [&](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    dword(0);                                    // extended style
    words.insert(words.end(), {0, 0, 0, 0, 0});  // no controls; x, y, cx, cy
    words.insert(words.end(), {0, 0});           // no menu, the standard dialog class
    for (const wchar_t* c = caption; *c; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

void center_with_client_size(HWND window, int client_width, int client_height) {
    RECT frame{0, 0, client_width, client_height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE text_extent(HWND window, HFONT font, const wchar_t* text) {
    WindowDC dc(window);
    SelectGuard selected(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text, static_cast<int>(wcslen(text)), &size);
    return size;
}

} // namespace qv::win
