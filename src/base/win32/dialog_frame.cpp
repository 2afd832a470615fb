#include "base/win32/dialog_frame.h"

#include <cwchar>
#include <vector>

#include "base/app_error.h"
#include "base/win32/error_report.h"
#include "base/win32/unique_handle.h"

namespace qv::win {
namespace {

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

} // namespace

INT_PTR ModalDialog::run_modal(HWND owner, const wchar_t* caption) {
    const std::vector<WORD> layout = empty_dialog_template(caption);
    const INT_PTR result =
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(layout.data()),
                                  owner, &ModalDialog::procedure, reinterpret_cast<LPARAM>(this));
    if (result == -1) throw AppError(std::wstring(L"Cannot show the dialog ") + caption);
    return result;
}

INT_PTR CALLBACK ModalDialog::procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_INITDIALOG) {
        reinterpret_cast<ModalDialog*>(lparam)->window_ = dialog;
        ::SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    }
    auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->on_message(message, wparam, lparam);
    } catch (...) {
        report_current_exception(dialog);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return result;
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
