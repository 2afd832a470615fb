#include "base/win32/ansi_bridge/user32_messages.h"

#include "base/win32/ansi_bridge/bridge.h"

#include <commctrl.h>

#include <cstring>
#include <string>

namespace qv::win::ansi {

using bridge::AnsiArgument;

namespace {

bool is_combo_message(UINT message) { return message >= CB_GETEDITSEL && message < CB_MSGMAX; }

// An owner-drawn list without the "has strings" style keeps the caller's numbers, not text.
bool list_holds_text(HWND window, UINT message) {
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (is_combo_message(message)) {
        return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
    }
    return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

bool text_in_lparam(HWND window, UINT message) {
    switch (message) {
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case CB_DIR:
    case LB_DIR:
    case LB_ADDFILE: return true;
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: return list_holds_text(window, message);
    default: return false;
    }
}

int wide_length(const std::string& text) {
    return text.empty() ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

// A text read in two steps, its length in bytes and then the bytes; false when the length is an error.
template <typename Send>
bool read_text(Send& send, UINT length_message, UINT text_message, WPARAM index, std::string& text) {
    const LRESULT length = send(length_message, index, 0);
    if (length < 0) return false;
    text.assign(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = send(text_message, text_message == WM_GETTEXT ? text.size() : index,
                                reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? std::min(static_cast<std::size_t>(copied), text.size() - 1) : 0);
    return copied >= 0;
}

// A tool's description in the ANSI form: the two layouts differ only in the text's type.
template <typename Send>
LRESULT send_tool(Send& send, UINT message, const TTTOOLINFOW* tool) {
    if (!tool) return send(message, 0, 0);
    TTTOOLINFOA ansi;
    std::memcpy(&ansi, tool, std::min<std::size_t>(sizeof(ansi), tool->cbSize));
    const bool plain_text = tool->lpszText != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(tool->lpszText);
    const AnsiArgument text(plain_text ? tool->lpszText : nullptr);
    if (plain_text) ansi.lpszText = const_cast<char*>(text.get());
    else if (tool->lpszText == LPSTR_TEXTCALLBACKW) ansi.lpszText = LPSTR_TEXTCALLBACKA;
    return send(message, 0, reinterpret_cast<LPARAM>(&ansi));
}

template <typename Send>
LRESULT send_tab(Send& send, UINT message, WPARAM index, const TCITEMW* item) {
    if (!item) return send(message, index, 0);
    TCITEMA ansi;
    std::memcpy(&ansi, item, sizeof(ansi));
    const bool plain_text = (item->mask & TCIF_TEXT) && item->pszText != LPSTR_TEXTCALLBACKW;
    const AnsiArgument text(plain_text ? item->pszText : nullptr);
    if (plain_text) ansi.pszText = const_cast<char*>(text.get());
    else if (item->pszText == LPSTR_TEXTCALLBACKW) ansi.pszText = LPSTR_TEXTCALLBACKA;
    return send(message, index, reinterpret_cast<LPARAM>(&ansi));
}

// `send(message, wparam, lparam)` delivers one ANSI message. Results keep the wide messages' meaning:
// lengths and copies count wide characters.
template <typename Send>
LRESULT send_converted(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Send send) {
    if (text_in_lparam(window, message)) {
        return send(message, wparam, reinterpret_cast<LPARAM>(AnsiArgument(reinterpret_cast<LPCWSTR>(lparam)).get()));
    }
    std::string text;
    switch (message) {
    case WM_GETTEXT:
        if (!read_text(send, WM_GETTEXTLENGTH, WM_GETTEXT, 0, text)) return 0;
        return bridge::copy_to_wide(text, reinterpret_cast<wchar_t*>(lparam), static_cast<int>(wparam));
    case WM_GETTEXTLENGTH:
        if (!read_text(send, WM_GETTEXTLENGTH, WM_GETTEXT, 0, text)) return 0;
        return wide_length(text);
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case LB_GETTEXT:
    case LB_GETTEXTLEN: {
        if (!list_holds_text(window, message)) break;
        const bool combo = is_combo_message(message);
        if (!read_text(send, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, combo ? CB_GETLBTEXT : LB_GETTEXT, wparam, text)) {
            return combo ? CB_ERR : LB_ERR;
        }
        const int length = wide_length(text);
        if (message == CB_GETLBTEXTLEN || message == LB_GETTEXTLEN) return length;
        // The caller sized the buffer by the length message: the wide length and its terminator.
        return bridge::copy_to_wide(text, reinterpret_cast<wchar_t*>(lparam), length + 1);
    }
    case TCM_INSERTITEMW: return send_tab(send, TCM_INSERTITEMA, wparam, reinterpret_cast<const TCITEMW*>(lparam));
    case TCM_SETITEMW: return send_tab(send, TCM_SETITEMA, wparam, reinterpret_cast<const TCITEMW*>(lparam));
    case TTM_ADDTOOLW: return send_tool(send, TTM_ADDTOOLA, reinterpret_cast<const TTTOOLINFOW*>(lparam));
    case TTM_DELTOOLW: return send_tool(send, TTM_DELTOOLA, reinterpret_cast<const TTTOOLINFOW*>(lparam));
    case TTM_NEWTOOLRECTW: return send_tool(send, TTM_NEWTOOLRECTA, reinterpret_cast<const TTTOOLINFOW*>(lparam));
    case TTM_SETTOOLINFOW: return send_tool(send, TTM_SETTOOLINFOA, reinterpret_cast<const TTTOOLINFOW*>(lparam));
    case TTM_UPDATETIPTEXTW: return send_tool(send, TTM_UPDATETIPTEXTA, reinterpret_cast<const TTTOOLINFOW*>(lparam));
    default: break;
    }
    return send(message, wparam, lparam);
}

} // namespace

BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT first, UINT last) {
    return ::GetMessageA(message, window, first, last);
}

BOOL WINAPI PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
    return ::PeekMessageA(message, window, first, last, remove);
}

LRESULT WINAPI DispatchMessageW(const MSG* message) { return ::DispatchMessageA(message); }

LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return send_converted(window, message, wparam, lparam,
                          [window](UINT m, WPARAM w, LPARAM l) { return ::SendMessageA(window, m, w, l); });
}

LRESULT WINAPI SendMessageTimeoutW(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT flags, UINT timeout,
                                   PDWORD_PTR result) {
    bool delivered = true;
    const LRESULT answer = send_converted(window, message, wparam, lparam, [&](UINT m, WPARAM w, LPARAM l) -> LRESULT {
        DWORD_PTR value = 0;
        if (delivered && !::SendMessageTimeoutA(window, m, w, l, flags, timeout, &value)) delivered = false;
        return delivered ? static_cast<LRESULT>(value) : 0;
    });
    if (!delivered) return 0;
    if (result) *result = static_cast<DWORD_PTR>(answer);
    return TRUE;
}

// Text is never posted: the system refuses pointers in posted system messages, and a converted copy
// would end before the message is read.
BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return ::PostMessageA(window, message, wparam, lparam);
}

} // namespace qv::win::ansi

QV_BRIDGE("user32.dll", GetMessageW, 16);
QV_BRIDGE("user32.dll", PeekMessageW, 20);
QV_BRIDGE("user32.dll", DispatchMessageW, 4);
QV_BRIDGE("user32.dll", SendMessageW, 16);
QV_BRIDGE("user32.dll", SendMessageTimeoutW, 28);
QV_BRIDGE("user32.dll", PostMessageW, 16);
