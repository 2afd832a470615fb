#include "base/win32/ansi_bridge/user32_windows.h"

#include "base/win32/ansi_bridge/bridge.h"

#include <algorithm>
#include <string>

namespace qv::win::ansi {

using bridge::AnsiArgument;

namespace {

// The whole text of a window in the ANSI code page.
std::string ansi_window_text(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(::GetWindowTextA(window, text.data(), length + 1), 0)));
    return text;
}

} // namespace

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* window_class) {
    if (!window_class) return ::RegisterClassExA(nullptr);
    const AnsiArgument menu(window_class->lpszMenuName), name(window_class->lpszClassName);
    WNDCLASSEXA ansi{};
    ansi.cbSize = sizeof(ansi);
    ansi.style = window_class->style;
    ansi.lpfnWndProc = window_class->lpfnWndProc;
    ansi.cbClsExtra = window_class->cbClsExtra;
    ansi.cbWndExtra = window_class->cbWndExtra;
    ansi.hInstance = window_class->hInstance;
    ansi.hIcon = window_class->hIcon;
    ansi.hCursor = window_class->hCursor;
    ansi.hbrBackground = window_class->hbrBackground;
    ansi.lpszMenuName = menu;
    ansi.lpszClassName = name;
    ansi.hIconSm = window_class->hIconSm;
    return ::RegisterClassExA(&ansi);
}

BOOL WINAPI GetClassInfoExW(HINSTANCE instance, LPCWSTR class_name, LPWNDCLASSEXW window_class) {
    WNDCLASSEXA ansi{};
    ansi.cbSize = sizeof(ansi);
    const BOOL found = ::GetClassInfoExA(instance, AnsiArgument(class_name), &ansi);
    if (!found || !window_class) return found;
    window_class->style = ansi.style;
    window_class->lpfnWndProc = ansi.lpfnWndProc;
    window_class->cbClsExtra = ansi.cbClsExtra;
    window_class->cbWndExtra = ansi.cbWndExtra;
    window_class->hInstance = ansi.hInstance;
    window_class->hIcon = ansi.hIcon;
    window_class->hCursor = ansi.hCursor;
    window_class->hbrBackground = ansi.hbrBackground;
    // The names would point into a conversion that ends here: the caller's own name, and a menu only
    // when it is a number.
    window_class->lpszMenuName = IS_INTRESOURCE(ansi.lpszMenuName) ? reinterpret_cast<LPCWSTR>(ansi.lpszMenuName) : nullptr;
    window_class->lpszClassName = class_name;
    window_class->hIconSm = ansi.hIconSm;
    return found;
}

int WINAPI GetClassNameW(HWND window, LPWSTR buffer, int capacity) {
    char name[512];
    const int length = ::GetClassNameA(window, name, sizeof(name));
    if (length <= 0) return 0;
    return bridge::copy_to_wide(std::string_view(name, static_cast<std::size_t>(length)), buffer, capacity);
}

HWND WINAPI CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR caption, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    return ::CreateWindowExA(ex_style, AnsiArgument(class_name), AnsiArgument(caption), style, x, y, width, height,
                             parent, menu, instance, parameter);
}

// The window is an ANSI one: what its procedure hands on is already in the form DefWindowProcA takes.
LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcA(window, message, wparam, lparam);
}

// Likewise for a procedure taken from an ANSI window, which the replaced one is there.
LRESULT WINAPI CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return ::CallWindowProcA(procedure, window, message, wparam, lparam);
}

// Templates in memory are always wide, for both functions.
INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND parent, DLGPROC procedure,
                                       LPARAM parameter) {
    return ::DialogBoxIndirectParamA(instance, dialog, parent, procedure, parameter);
}

HWND WINAPI FindWindowW(LPCWSTR class_name, LPCWSTR caption) {
    return ::FindWindowA(AnsiArgument(class_name), AnsiArgument(caption));
}

HWND WINAPI FindWindowExW(HWND parent, HWND after, LPCWSTR class_name, LPCWSTR caption) {
    return ::FindWindowExA(parent, after, AnsiArgument(class_name), AnsiArgument(caption));
}

int WINAPI GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
    return bridge::copy_to_wide(ansi_window_text(window), buffer, capacity);
}

// The exact count of wide characters (the ANSI length counts bytes).
int WINAPI GetWindowTextLengthW(HWND window) {
    const std::string text = ansi_window_text(window);
    if (text.empty()) return 0;
    return ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text) { return ::SetWindowTextA(window, AnsiArgument(text)); }

LONG WINAPI GetWindowLongW(HWND window, int index) { return ::GetWindowLongA(window, index); }
LONG WINAPI SetWindowLongW(HWND window, int index, LONG value) { return ::SetWindowLongA(window, index, value); }
#if defined(_WIN64)
LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index) { return ::GetWindowLongPtrA(window, index); }
LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    return ::SetWindowLongPtrA(window, index, value);
}
#endif

HANDLE WINAPI GetPropW(HWND window, LPCWSTR name) { return ::GetPropA(window, AnsiArgument(name)); }
BOOL WINAPI SetPropW(HWND window, LPCWSTR name, HANDLE value) { return ::SetPropA(window, AnsiArgument(name), value); }
HANDLE WINAPI RemovePropW(HWND window, LPCWSTR name) { return ::RemovePropA(window, AnsiArgument(name)); }

UINT WINAPI RegisterWindowMessageW(LPCWSTR name) { return ::RegisterWindowMessageA(AnsiArgument(name)); }

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) { return ::LoadCursorA(instance, AnsiArgument(name)); }
HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) { return ::LoadIconA(instance, AnsiArgument(name)); }
HANDLE WINAPI LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags) {
    return ::LoadImageA(instance, AnsiArgument(name), type, width, height, flags);
}

} // namespace qv::win::ansi

QV_BRIDGE("user32.dll", RegisterClassExW, 4);
QV_BRIDGE("user32.dll", GetClassInfoExW, 12);
QV_BRIDGE("user32.dll", GetClassNameW, 12);
QV_BRIDGE("user32.dll", CreateWindowExW, 48);
QV_BRIDGE("user32.dll", DefWindowProcW, 16);
QV_BRIDGE("user32.dll", CallWindowProcW, 20);
QV_BRIDGE("user32.dll", DialogBoxIndirectParamW, 20);
QV_BRIDGE("user32.dll", FindWindowW, 8);
QV_BRIDGE("user32.dll", FindWindowExW, 16);
QV_BRIDGE("user32.dll", GetWindowTextW, 12);
QV_BRIDGE("user32.dll", GetWindowTextLengthW, 4);
QV_BRIDGE("user32.dll", SetWindowTextW, 8);
QV_BRIDGE("user32.dll", GetWindowLongW, 8);
QV_BRIDGE("user32.dll", SetWindowLongW, 12);
#if defined(_WIN64)
QV_BRIDGE("user32.dll", GetWindowLongPtrW, 8);
QV_BRIDGE("user32.dll", SetWindowLongPtrW, 12);
#endif
QV_BRIDGE("user32.dll", GetPropW, 8);
QV_BRIDGE("user32.dll", SetPropW, 12);
QV_BRIDGE("user32.dll", RemovePropW, 8);
QV_BRIDGE("user32.dll", RegisterWindowMessageW, 4);
QV_BRIDGE("user32.dll", LoadCursorW, 8);
QV_BRIDGE("user32.dll", LoadIconW, 8);
QV_BRIDGE("user32.dll", LoadImageW, 24);
