// The program's own subclass chain, used where the common controls have no subclass manager.
#include "base/win32/window_subclass_fallback.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::win {
namespace {

namespace chain = fallback_subclass;
std::string g_log;

LRESULT CALLBACK original(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER) return g_log += 'o', 7;
    if (message == WM_NCDESTROY) g_log += 'x';
    return ::DefWindowProcW(window, message, wparam, lparam);
}

// Logs its data; asked with its own id as wparam, it removes itself and sends a nested message.
LRESULT CALLBACK tag(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
    if (message == WM_USER || message == WM_NCDESTROY) g_log += static_cast<char>(data);
    if (message == WM_USER && wparam == id) chain::remove(window, &tag, id), ::SendMessageW(window, WM_USER, 0, 0);
    return chain::def_proc(window, message, wparam, lparam);
}

WNDPROC g_below = nullptr;
LRESULT CALLBACK later(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::CallWindowProcW(g_below, w, m, wp, lp); }

HWND make_window() {
    static const ATOM registered = [] {
        WNDCLASSEXW window_class{sizeof(window_class)};
        window_class.lpfnWndProc = &original;
        window_class.lpszClassName = L"QvSubclassFallbackTest";
        return ::RegisterClassExW(&window_class);
    }();
    return ::CreateWindowExW(0, MAKEINTATOM(registered), L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

std::string send(HWND window, WPARAM wparam = 0) {
    g_log.clear();
    EXPECT_EQ(::SendMessageW(window, WM_USER, wparam, 0), 7);
    return g_log;
}

TEST(WindowSubclassFallback, NewestFirstDownToTheOriginalAndRemovableWhileNested) {
    HWND window = make_window();
    ASSERT_TRUE(chain::set(window, &tag, 1, 'a') && chain::set(window, &tag, 2, 'b'));
    EXPECT_EQ(send(window), "bao");
    ASSERT_TRUE(chain::set(window, &tag, 1, 'c'));  // set again: new data, same place
    EXPECT_EQ(send(window), "bco");
    EXPECT_EQ(send(window, 2), "bcoco");  // b goes while it runs: the nested message and the rest skip it
    EXPECT_EQ(send(window, 1), "coo");
    EXPECT_FALSE(chain::remove(window, &tag, 1));
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&original));

    // A later subclasser on top keeps the chain in place; destruction still reaches everyone.
    ASSERT_TRUE(chain::set(window, &tag, 1, 'a') && chain::set(window, &tag, 2, 'b'));
    g_below = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&later)));
    ASSERT_TRUE(chain::remove(window, &tag, 1) && chain::remove(window, &tag, 2));
    EXPECT_EQ(send(window), "o");
    ASSERT_TRUE(chain::set(window, &tag, 3, 'c'));
    g_log.clear();
    ::DestroyWindow(window);
    EXPECT_EQ(g_log, "cx");
}

} // namespace
} // namespace qv::win
