#include "base/win32/ansi_bridge/bridge.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace qv::win::bridge {

// Asked anew each time (GetVersion only reads the process's block): a static would need a guard, whose
// lock is built on a semaphore, whose creation may be the call being resolved.
bool ansi_system() noexcept { return (::GetVersion() & 0x80000000u) != 0; }

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
    // A room of one holds the terminator only (a size of 0 would ask MultiByteToWideChar for the length).
    if (!ansi.empty() && capacity > 1) {
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
    copy_to_ansi(std::wstring_view(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE)), result.lfFaceName,
                 LF_FACESIZE);
    return result;
}

LOGFONTW wide_logfont(const LOGFONTA& font) noexcept {
    LOGFONTW result;
    std::memcpy(&result, &font, offsetof(LOGFONTW, lfFaceName));
    copy_to_wide(std::string_view(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)), result.lfFaceName, LF_FACESIZE);
    return result;
}

int copy_to_ansi(std::wstring_view text, char* buffer, int capacity) noexcept {
    if (!buffer || capacity <= 0) return 0;
    // A character at a time: each one's bytes go in whole or not at all.
    int length = 0;
    for (const wchar_t character : text) {
        char bytes[8];
        const int size = ::WideCharToMultiByte(CP_ACP, 0, &character, 1, bytes, sizeof(bytes), nullptr, nullptr);
        if (length + size > capacity - 1) break;
        std::memcpy(buffer + length, bytes, static_cast<std::size_t>(size));
        length += size;
    }
    buffer[length] = '\0';
    return length;
}

} // namespace qv::win::bridge
