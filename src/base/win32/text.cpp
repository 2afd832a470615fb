#include "base/win32/text.h"

#include <windows.h>

namespace qv::win {
namespace {

std::wstring to_wide(UINT code_page, std::string_view text) {
    if (text.empty()) return {};
    int length = ::MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string from_wide(UINT code_page, std::wstring_view text) {
    if (text.empty()) return {};
    int length = ::WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), result.data(), length,
                          nullptr, nullptr);
    return result;
}

} // namespace

std::wstring ansi_to_wide(std::string_view text) { return to_wide(CP_ACP, text); }
std::string wide_to_ansi(std::wstring_view text) { return from_wide(CP_ACP, text); }
std::wstring utf8_to_wide(std::string_view text) { return to_wide(CP_UTF8, text); }
std::string wide_to_utf8(std::wstring_view text) { return from_wide(CP_UTF8, text); }

} // namespace qv::win
