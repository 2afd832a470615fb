#include "base/win32/ansi_bridge/bridge.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace qv::win::bridge {

bool ansi_system() noexcept {
    static const bool ansi = (::GetVersion() & 0x80000000u) != 0;
    return ansi;
}

FARPROC system_export(const char* library, const char* name) noexcept {
    // Libraries the program uses for its whole run: loading one again only counts up, and the
    // process's end releases it.
    HMODULE module = ::GetModuleHandleA(library);
    if (!module) module = ::LoadLibraryA(library);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

AnsiArgument::AnsiArgument(const wchar_t* text) : AnsiArgument(text, -1) {}

AnsiArgument::AnsiArgument(const wchar_t* text, int length) {
    if (IS_INTRESOURCE(text)) {
        passed_ = reinterpret_cast<const char*>(text);
        passes_ = true;
        return;
    }
    if (length < 0) length = static_cast<int>(std::wcslen(text));
    if (length == 0) return;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    converted_.resize(static_cast<std::size_t>(size));
    ::WideCharToMultiByte(CP_ACP, 0, text, length, converted_.data(), size, nullptr, nullptr);
}

int copy_to_wide(std::string_view ansi, wchar_t* buffer, int capacity) noexcept {
    if (!buffer || capacity <= 0) return 0;
    int written = 0;
    if (!ansi.empty()) {
        written = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), buffer, capacity - 1);
        if (written == 0) {
            // Too long for the buffer: as much as fits, whole characters only.
            std::wstring whole(static_cast<std::size_t>(
                                   ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0)),
                               L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), whole.data(),
                                  static_cast<int>(whole.size()));
            written = std::min(static_cast<int>(whole.size()), capacity - 1);
            std::memcpy(buffer, whole.data(), static_cast<std::size_t>(written) * sizeof(wchar_t));
        }
    }
    buffer[written] = L'\0';
    return written;
}

std::wstring wide_from_buffer(const char* ansi, std::size_t capacity) {
    if (!ansi) return {};
    const std::size_t length = strnlen(ansi, capacity);
    if (length == 0) return {};
    const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi, static_cast<int>(length), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi, static_cast<int>(length), result.data(), size);
    return result;
}

LOGFONTA ansi_logfont(const LOGFONTW& font) noexcept {
    LOGFONTA result;
    std::memcpy(&result, &font, offsetof(LOGFONTA, lfFaceName));
    char face[LF_FACESIZE * 2] = {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, font.lfFaceName, static_cast<int>(wcsnlen(font.lfFaceName, LF_FACESIZE)),
                                           face, static_cast<int>(sizeof(face)), nullptr, nullptr);
    // Cut at a whole character: a double-byte one never loses its second byte.
    int length = 0;
    while (length < size) {
        const int step = ::IsDBCSLeadByte(static_cast<BYTE>(face[length])) ? 2 : 1;
        if (length + step > LF_FACESIZE - 1) break;
        length += step;
    }
    std::memcpy(result.lfFaceName, face, static_cast<std::size_t>(length));
    result.lfFaceName[length] = '\0';
    return result;
}

LOGFONTW wide_logfont(const LOGFONTA& font) noexcept {
    LOGFONTW result;
    std::memcpy(&result, &font, offsetof(LOGFONTW, lfFaceName));
    copy_to_wide(std::string_view(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)), result.lfFaceName, LF_FACESIZE);
    return result;
}

} // namespace qv::win::bridge
