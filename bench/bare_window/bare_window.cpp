// The baseline of the footprint benchmarks: the least a windowed program of this tree can be. It loads
// the system libraries Quorvane loads, registers a class, shows one 221 x 108 window, paints it once per
// WM_PAINT and otherwise waits for messages.
// Started as `bare_window.exe REFRESH_MS ICONS [hidden]` it is also the least program that shows what
// Quorvane shows while idle: every REFRESH_MS it reads CPU usage and free memory as Quorvane does, puts
// them as numbers into ICONS notification-area icons (CPU, memory, then three that stay at 100 as the
// resource kinds do on NT), re-sending an icon only when its number changed, and repaints the window
// only when the figures it shows changed ("hidden": no window is shown).
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdint>
#include <cwchar>
#include <cwctype>

#include "base/win32/unique_handle.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr int kMaxIcons = 5;
constexpr int kIconSize = 16;

struct Numbers {
    int count = 0;
    int shown[kMaxIcons] = {-1, -1, -1, -1, -1};
    qv::win::UniqueMemoryDC dc;
    qv::win::UniqueBitmap color, mask;
    qv::win::UniqueFont font;
    std::int64_t idle = 0, time = 0;  // the system's idle time and time of day at the last refresh
    wchar_t text[64] = L"Bare window";
} numbers;

// CPU usage from the source Quorvane reads on the NT family (the idle time of all processors against the
// time of day), so that its number changes as often as Quorvane's: GetSystemTimes moves differently.
using QueryFunction = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

QueryFunction nt_query() {
    static const auto query =
        reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll"),
                                                                                 "NtQuerySystemInformation")));
    return query;
}

int cpu_percent() {
    const QueryFunction query = nt_query();
    std::int64_t time_of_day[4] = {}, performance[64] = {};
    if (!query || query(3, time_of_day, 32, nullptr) != 0 || query(2, performance, 312, nullptr) != 0) return 0;
    static const int processors = [] {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        return info.dwNumberOfProcessors ? static_cast<int>(info.dwNumberOfProcessors) : 1;
    }();
    const std::int64_t idle = performance[0], now = time_of_day[1];
    const std::int64_t d_idle = idle - numbers.idle, d_time = now - numbers.time;
    numbers.idle = idle;
    numbers.time = now;
    if (d_time <= 0) return 0;
    const double usage = 100.0 - static_cast<double>(d_idle) * 100.0 / static_cast<double>(d_time) / processors + 0.5;
    return usage <= 0 ? 0 : usage >= 100 ? 100 : static_cast<int>(usage);
}

void show_number(HWND window, int slot, int number, DWORD action) {
    wchar_t digits[8];
    const int length = std::swprintf(digits, 8, L"%d", number);
    HDC dc = numbers.dc.get();
    {
        const qv::win::SelectGuard bitmap(dc, numbers.color.get());
        const qv::win::SelectGuard font(dc, numbers.font.get());
        RECT all{0, 0, kIconSize, kIconSize};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SetTextColor(dc, RGB(0, 255, 0));
        ::SetBkMode(dc, TRANSPARENT);
        ::TextOutW(dc, 0, 2, digits, length);
    }
    ICONINFO info{TRUE, 0, 0, numbers.mask.get(), numbers.color.get()};
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = static_cast<UINT>(slot + 1);
    data.uFlags = NIF_ICON | (action == NIM_ADD ? NIF_TIP : 0);
    const qv::win::UniqueIcon icon(::CreateIconIndirect(&info));
    data.hIcon = icon.get();
    std::swprintf(data.szTip, 64, L"Bare %d", slot);
    ::Shell_NotifyIconW(action, &data);
}

void refresh(HWND window) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    ::GlobalMemoryStatusEx(&memory);
    const int cpu = cpu_percent();
    const int free_percent = static_cast<int>(memory.ullAvailPhys * 100 / (memory.ullTotalPhys ? memory.ullTotalPhys : 1));
    const int values[kMaxIcons] = {cpu, free_percent, 100, 100, 100};
    for (int slot = 0; slot < numbers.count; ++slot) {
        if (values[slot] == numbers.shown[slot]) continue;
        show_number(window, slot, values[slot], numbers.shown[slot] < 0 ? NIM_ADD : NIM_MODIFY);
        numbers.shown[slot] = values[slot];
    }
    if (!::IsWindowVisible(window)) return;
    wchar_t text[64];
    std::swprintf(text, 64, L"CPU %d%% %llu MB", cpu, memory.ullAvailPhys / 1048576);
    if (std::wcscmp(text, numbers.text) == 0) return;
    std::wcscpy(numbers.text, text);
    ::InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK bare_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        const qv::win::PaintDC paint(window);
        RECT all;
        ::GetClientRect(window, &all);
        const qv::win::UniqueBrush brush(::CreateSolidBrush(RGB(0, 128, 255)));
        ::FillRect(paint.get(), &all, brush.get());
        ::SetBkMode(paint.get(), TRANSPARENT);
        ::TextOutW(paint.get(), 4, 4, numbers.text, static_cast<int>(std::wcslen(numbers.text)));
        return 0;
    }
    case WM_TIMER: refresh(window); return 0;
    case WM_DESTROY:
        for (int slot = 0; slot < numbers.count; ++slot) {
            NOTIFYICONDATAW data{};
            data.cbSize = NOTIFYICONDATAW_V1_SIZE;
            data.hWnd = window;
            data.uID = static_cast<UINT>(slot + 1);
            ::Shell_NotifyIconW(NIM_DELETE, &data);
        }
        ::PostQuitMessage(0);
        return 0;
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
    wchar_t* rest = command_line;
    const long refresh_ms = std::wcstol(rest, &rest, 10);
    numbers.count = static_cast<int>(std::wcstol(rest, &rest, 10));
    if (numbers.count > kMaxIcons) numbers.count = kMaxIcons;
    const bool hidden = std::wcsstr(rest, L"hidden") != nullptr;

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
    if (refresh_ms > 0) {
        {
            const qv::win::WindowDC screen(nullptr);
            numbers.dc.reset(::CreateCompatibleDC(screen.get()));
            numbers.color.reset(::CreateCompatibleBitmap(screen.get(), kIconSize, kIconSize));
        }
        numbers.mask.reset(::CreateBitmap(kIconSize, kIconSize, 1, 1, nullptr));
        numbers.font.reset(::CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                                     L"Tahoma"));
        {
            const qv::win::SelectGuard mask(numbers.dc.get(), numbers.mask.get());
            ::PatBlt(numbers.dc.get(), 0, 0, kIconSize, kIconSize, BLACKNESS);
        }
        refresh(window);
        ::SetTimer(window, kRefreshTimer, static_cast<UINT>(refresh_ms), nullptr);
    }
    if (!hidden) ::ShowWindow(window, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
