#include "settings/win32/system_services.h"

namespace qv::settings::win32 {

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

void MessageBoxNotifier::show_error(const std::wstring& text) {
    const UINT modality = owner_ ? MB_APPLMODAL : MB_TASKMODAL;
    ::MessageBoxW(owner_, text.c_str(), L"エラー", MB_OK | MB_ICONERROR | modality);
}

std::wstring SystemKeyLayout::key_name(unsigned virtual_key) const {
    const UINT scan = ::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
    if (scan == 0) return {};
    wchar_t name[64];
    const int length = ::GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

} // namespace qv::settings::win32
