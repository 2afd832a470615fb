#include "app/win32/main_window.h"

namespace qv::app {

MainWindow::MainWindow() {
    register_class(L"TForm1");
    RECT r{0, 0, 221, 108};
    ::AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    create(L"TForm1", L"Quorvane", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, 100, 100, r.right - r.left,
           r.bottom - r.top);
    ::ShowWindow(handle(), SW_SHOW);
}

MainWindow::~MainWindow() = default;

int MainWindow::run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT MainWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    return default_message(message, wparam, lparam);
}

} // namespace qv::app
