#include "base/win32/ansi_code_page.h"

namespace qv::win {

std::wstring AnsiCodec::decode(std::string_view bytes) const {
    if (bytes.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

std::optional<std::string> AnsiCodec::encode(std::wstring_view text) const {
    if (text.empty()) return std::string();
    // With UTF-8 as the system code page every character has a form, and the lossy-conversion flags are
    // not allowed.
    if (::GetACP() == CP_UTF8) return ini::Utf8Codec().encode(text);
    BOOL lossy = FALSE;
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return bytes;
}

} // namespace qv::win
