#include "support/win32/message_box.h"

#include "support/win32/window_children.h"

namespace qv::test {
namespace {

struct BoxSearch {
    DWORD process_id;
    std::wstring_view caption;
    HWND found = nullptr;
};

BOOL CALLBACK visit_top_level(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && ::IsWindowVisible(window) && class_of(window) == L"#32770" &&
        text_of(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK visit_child(HWND child, LPARAM context) {
    auto* view = reinterpret_cast<MessageBoxView*>(context);
    if (class_of(child) != L"Static") return TRUE;
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        ::GetWindowRect(child, &view->icon_rect);
    } else if (std::wstring text = text_of(child); !text.empty()) {
        if (!view->text.empty()) view->text += L"\n";
        view->text += text;
    }
    return TRUE;
}

} // namespace

std::optional<MessageBoxView> wait_message_box(DWORD process_id, std::wstring_view caption, Millis timeout) {
    BoxSearch search{process_id, caption};
    if (!wait_until(
            [&] {
                ::EnumWindows(&visit_top_level, reinterpret_cast<LPARAM>(&search));
                return search.found != nullptr;
            },
            timeout)) {
        return std::nullopt;
    }
    MessageBoxView view;
    view.window = search.found;
    view.caption = caption;
    ::EnumChildWindows(view.window, &visit_child, reinterpret_cast<LPARAM>(&view));
    return view;
}

bool answer_message_box(HWND box, int button) {
    // Posted: the box's own loop handles it as a press of that button.
    if (!::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0)) return false;
    return wait_until([&] { return !::IsWindow(box); }, 5s);
}

std::optional<std::wstring> dismiss_message_box(DWORD process_id, std::wstring_view caption, Millis timeout) {
    auto box = wait_message_box(process_id, caption, timeout);
    if (!box || !answer_message_box(box->window, IDOK)) return std::nullopt;
    return box->text;
}

} // namespace qv::test
