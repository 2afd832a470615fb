// The baseline of the footprint benchmarks: the least a windowed program of this tree can be. It loads
// the system libraries Quorvane loads, registers a class, shows one 221 x 108 window, paints it once per
// WM_PAINT and otherwise waits for messages.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK bare_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        RECT all;
        ::GetClientRect(window, &all);
        HBRUSH brush = ::CreateSolidBrush(RGB(0, 128, 255));
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
        ::SetBkMode(dc, TRANSPARENT);
        ::TextOutW(dc, 4, 4, L"Bare window", 11);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(window, message, wparam, lparam);
    }
}

// One import from each library Quorvane imports, so that the loader maps the same set.
void* volatile keep_imports[] = {reinterpret_cast<void*>(&::InitCommonControlsEx),
                                 reinterpret_cast<void*>(&::CommDlgExtendedError),
                                 reinterpret_cast<void*>(&::CoTaskMemFree),
                                 reinterpret_cast<void*>(&::ShellExecuteW),
                                 reinterpret_cast<void*>(&::RegCloseKey)};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &bare_window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"BareWindow";
    ::RegisterClassW(&window_class);
    RECT frame{0, 0, 221, 108};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare window", WS_POPUP | WS_BORDER, 100, 100,
                                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                    nullptr);
    ::ShowWindow(window, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
