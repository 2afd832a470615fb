#pragma once
// Owners of Windows handles: an alias of the one owner template per handle kind, and the owners that
// need context (a DC remembers its window, a paint DC its PAINTSTRUCT, a selection the old object).
#include <windows.h>

#include "base/unique_handle.h"

namespace qv::win {

using qv::UniqueHandle;

namespace detail {
inline void close_handle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void delete_gdi(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void destroy_icon(HICON h) noexcept { ::DestroyIcon(h); }
inline void destroy_menu(HMENU h) noexcept { ::DestroyMenu(h); }
inline void destroy_window(HWND h) noexcept { ::DestroyWindow(h); }
inline void delete_dc(HDC h) noexcept { ::DeleteDC(h); }
inline void close_key(HKEY h) noexcept { ::RegCloseKey(h); }
inline void find_close(HANDLE h) noexcept { ::FindClose(h); }
inline void free_library(HMODULE h) noexcept { ::FreeLibrary(h); }
} // namespace detail

using UniqueKernelHandle = UniqueHandle<HANDLE, detail::close_handle>;
// CreateFile and FindFirstFile report failure with INVALID_HANDLE_VALUE, not null.
using UniqueFileHandle = UniqueHandle<HANDLE, detail::close_handle, -1>;
using UniqueFindHandle = UniqueHandle<HANDLE, detail::find_close, -1>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::delete_gdi>;
using UniquePen = UniqueHandle<HPEN, detail::delete_gdi>;
using UniqueFont = UniqueHandle<HFONT, detail::delete_gdi>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::delete_gdi>;
using UniqueRegion = UniqueHandle<HRGN, detail::delete_gdi>;
using UniqueIcon = UniqueHandle<HICON, detail::destroy_icon>;
using UniqueMenu = UniqueHandle<HMENU, detail::destroy_menu>;
using UniqueWindow = UniqueHandle<HWND, detail::destroy_window>;
using UniqueMemoryDC = UniqueHandle<HDC, detail::delete_dc>;
using UniqueKey = UniqueHandle<HKEY, detail::close_key>;
using UniqueLibrary = UniqueHandle<HMODULE, detail::free_library>;

// A DC obtained with GetDC: released to the window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint as one owner; it keeps the PAINTSTRUCT.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(window_, &paint_); }
    HDC get() const noexcept { return dc_; }
    const RECT& area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Restores the object that was selected into a DC before.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace qv::win
