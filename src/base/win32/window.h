#pragma once
// Base of every window the program creates: the window procedure finds its object through
// GWLP_USERDATA (stored at WM_NCCREATE, cleared at WM_NCDESTROY) and no exception leaves it.
#include <windows.h>

namespace qv::win {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const noexcept { return handle_; }

protected:
    // Registers `class_name` (once per process) with this class's procedure.
    static void register_class(const wchar_t* class_name, UINT style = 0, HICON icon = nullptr,
                               HBRUSH background = nullptr);
    // Creates the window; throws AppError when the system refuses.
    void create(const wchar_t* class_name, const wchar_t* caption, DWORD style, DWORD ex_style, int x, int y,
                int width, int height, HWND parent = nullptr);
    void destroy() noexcept;

    // A message for this window; an exception it throws is reported and the message answered with 0.
    virtual LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT default_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

    HWND handle_ = nullptr;
};

} // namespace qv::win
