#include "base/win32/window.h"

#include "base/app_error.h"
#include "base/win32/error_report.h"

#include <string>

namespace qv::win {

Window::~Window() { destroy(); }

void Window::register_class(const wchar_t* class_name, UINT style, HICON icon, HBRUSH background) {
    WNDCLASSEXW existing{sizeof(existing)};
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, class_name, &existing)) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = &Window::procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = class_name;
    if (!::RegisterClassExW(&wc)) throw AppError(std::wstring(L"Cannot register window class ") + class_name);
}

void Window::create(const wchar_t* class_name, const wchar_t* caption, DWORD style, DWORD ex_style, int x, int y,
                    int width, int height, HWND parent) {
    HWND made = ::CreateWindowExW(ex_style, class_name, caption, style, x, y, width, height, parent, nullptr,
                                  ::GetModuleHandleW(nullptr), this);
    if (!made) throw AppError(std::wstring(L"Cannot create window ") + class_name);
}

void Window::destroy() noexcept {
    if (handle_) ::DestroyWindow(handle_);
}

LRESULT Window::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    return default_message(message, wparam, lparam);
}

LRESULT Window::default_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    return ::DefWindowProcW(handle_, message, wparam, lparam);
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->handle_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wparam, lparam);

    LRESULT result = 0;
    try {
        result = self->on_message(message, wparam, lparam);
    } catch (...) {
        report_current_exception(window);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}

} // namespace qv::win
