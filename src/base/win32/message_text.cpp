#include "base/win32/message_text.h"

#include "base/win32/ansi_bridge/bridge.h"
#include "base/win32/text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace qv::win {

std::wstring message_text(HWND window, LPARAM text) {
    if (!text) return {};
    if (!::IsWindowUnicode(window)) return ansi_to_wide(reinterpret_cast<const char*>(text));
    return reinterpret_cast<const wchar_t*>(text);
}

MessageTextParameter::MessageTextParameter(HWND window, std::wstring_view text)
    : wide_window_(::IsWindowUnicode(window) != FALSE) {
    if (wide_window_) wide_ = text;
    else ansi_ = wide_to_ansi(text);
}

LPARAM MessageTextParameter::get() const noexcept {
    return wide_window_ ? reinterpret_cast<LPARAM>(wide_.c_str()) : reinterpret_cast<LPARAM>(ansi_.c_str());
}

std::optional<TypedCharacter> TypedCharacters::take(HWND window, WPARAM character) noexcept {
    if (::IsWindowUnicode(window)) return TypedCharacter{static_cast<wchar_t>(character), 0};
    const auto byte = static_cast<BYTE>(character);
    if (!lead_ && ::IsDBCSLeadByte(byte)) {
        lead_ = byte;
        return std::nullopt;
    }
    char bytes[2];
    int size = 0;
    if (lead_) bytes[size++] = static_cast<char>(lead_);
    bytes[size++] = static_cast<char>(byte);
    const WPARAM lead = lead_;
    lead_ = 0;
    wchar_t wide = 0;
    if (::MultiByteToWideChar(CP_ACP, 0, bytes, size, &wide, 1) != 1) wide = L'?';
    return TypedCharacter{wide, lead};
}

bool asks_for_tip_text(const NMHDR& header) noexcept {
    return header.code == TTN_GETDISPINFOW || header.code == TTN_GETDISPINFOA;
}

void answer_tip_text(NMHDR& header, std::wstring_view text) noexcept {
    if (header.code == TTN_GETDISPINFOA) {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        bridge::copy_to_ansi(text, info.szText, static_cast<int>(std::size(info.szText)));
        info.lpszText = info.szText;
        return;
    }
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    const std::size_t length = std::min(text.size(), std::size(info.szText) - 1);
    std::memcpy(info.szText, text.data(), length * sizeof(wchar_t));
    info.szText[length] = L'\0';
    info.lpszText = info.szText;
}

} // namespace qv::win
