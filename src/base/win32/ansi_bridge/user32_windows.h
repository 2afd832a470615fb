#pragma once
// The 95 family's stand-ins for user32's wide functions about window classes, windows, their texts and
// properties, dialogs and resources (see bridge.h). Windows made through them are ANSI windows: their
// procedures get text in the ANSI code page.
#include <windows.h>

namespace qv::win::ansi {

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* window_class);
BOOL WINAPI GetClassInfoExW(HINSTANCE instance, LPCWSTR class_name, LPWNDCLASSEXW window_class);
int WINAPI GetClassNameW(HWND window, LPWSTR buffer, int capacity);
HWND WINAPI CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR caption, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);
LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT WINAPI CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND parent, DLGPROC procedure,
                                       LPARAM parameter);
HWND WINAPI FindWindowW(LPCWSTR class_name, LPCWSTR caption);
HWND WINAPI FindWindowExW(HWND parent, HWND after, LPCWSTR class_name, LPCWSTR caption);
int WINAPI GetWindowTextW(HWND window, LPWSTR buffer, int capacity);
int WINAPI GetWindowTextLengthW(HWND window);
BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text);
LONG WINAPI GetWindowLongW(HWND window, int index);
LONG WINAPI SetWindowLongW(HWND window, int index, LONG value);
#if defined(_WIN64)
LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index);
LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
#endif
HANDLE WINAPI GetPropW(HWND window, LPCWSTR name);
BOOL WINAPI SetPropW(HWND window, LPCWSTR name, HANDLE value);
HANDLE WINAPI RemovePropW(HWND window, LPCWSTR name);
UINT WINAPI RegisterWindowMessageW(LPCWSTR name);
HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name);
HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name);
HANDLE WINAPI LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags);

} // namespace qv::win::ansi
