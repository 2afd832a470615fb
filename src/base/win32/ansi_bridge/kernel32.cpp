#include "base/win32/ansi_bridge/kernel32.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win::ansi {

using bridge::AnsiArgument;

HMODULE WINAPI GetModuleHandleW(LPCWSTR name) { return ::GetModuleHandleA(AnsiArgument(name)); }

HANDLE WINAPI CreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
    return ::CreateSemaphoreA(security, initial, maximum, AnsiArgument(name));
}

HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES security, BOOL owned, LPCWSTR name) {
    return ::CreateMutexA(security, owned, AnsiArgument(name));
}

HANDLE WINAPI OpenMutexW(DWORD access, BOOL inherit, LPCWSTR name) {
    return ::OpenMutexA(access, inherit, AnsiArgument(name));
}

HMODULE WINAPI LoadLibraryW(LPCWSTR name) { return ::LoadLibraryA(AnsiArgument(name)); }

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return 0;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    if (size == 0) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::wstring wide = bridge::wide_from_buffer(path.data(), path.size());
    const std::size_t copied = std::min<std::size_t>(wide.size(), size - 1);
    std::memcpy(buffer, wide.data(), copied * sizeof(wchar_t));
    buffer[copied] = L'\0';
    if (wide.size() < size) return static_cast<DWORD>(wide.size());
    // As the NT family from XP on: cut and terminated, the whole size returned.
    ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

int WINAPI GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR buffer, int size) {
    if (type & LOCALE_RETURN_NUMBER) {
        // A number, not text: the same bytes either way, counted in wide characters.
        const int bytes = ::GetLocaleInfoA(locale, type, reinterpret_cast<LPSTR>(buffer), size * 2);
        return bytes / 2;
    }
    const int needed = ::GetLocaleInfoA(locale, type, nullptr, 0);
    if (needed <= 0) return 0;
    std::string text(static_cast<std::size_t>(needed), '\0');
    if (::GetLocaleInfoA(locale, type, text.data(), needed) <= 0) return 0;
    const std::wstring wide = bridge::wide_from_buffer(text.data(), text.size());
    const int with_terminator = static_cast<int>(wide.size()) + 1;
    if (size == 0) return with_terminator;
    if (!buffer || size < with_terminator) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, wide.c_str(), static_cast<std::size_t>(with_terminator) * sizeof(wchar_t));
    return with_terminator;
}

VOID WINAPI GetStartupInfoW(LPSTARTUPINFOW info) {
    // The wide function hands out text the process keeps. The runtime asks before any constructor has
    // run: plain arrays, nothing to construct or destroy.
    static wchar_t desktop[MAX_PATH];
    static wchar_t title[MAX_PATH * 2];
    STARTUPINFOA ansi{};
    ansi.cb = sizeof(ansi);
    ::GetStartupInfoA(&ansi);
    static_assert(sizeof(STARTUPINFOA) == sizeof(STARTUPINFOW));
    std::memcpy(info, &ansi, sizeof(*info));
    info->lpReserved = nullptr;
    if (ansi.lpDesktop) {
        bridge::copy_to_wide(ansi.lpDesktop, desktop, static_cast<int>(std::size(desktop)));
        info->lpDesktop = desktop;
    }
    if (ansi.lpTitle) {
        bridge::copy_to_wide(ansi.lpTitle, title, static_cast<int>(std::size(title)));
        info->lpTitle = title;
    }
}

BOOL WINAPI WriteConsoleW(HANDLE console, const VOID* text, DWORD length, LPDWORD written, LPVOID reserved) {
    const auto* wide = static_cast<const wchar_t*>(text);
    UINT code_page = ::GetConsoleOutputCP();
    if (code_page == 0) code_page = CP_ACP;
    std::string bytes;
    if (length > 0) {
        const int size = ::WideCharToMultiByte(code_page, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        if (size <= 0) return FALSE;
        bytes.resize(static_cast<std::size_t>(size));
        ::WideCharToMultiByte(code_page, 0, wide, static_cast<int>(length), bytes.data(), size, nullptr, nullptr);
    }
    DWORD put = 0;
    const BOOL result = ::WriteConsoleA(console, bytes.data(), static_cast<DWORD>(bytes.size()), &put, reserved);
    if (written) {
        // Counted in the caller's characters: those whose bytes all went out.
        *written = put >= bytes.size() ? length
                                       : static_cast<DWORD>(::MultiByteToWideChar(code_page, 0, bytes.data(),
                                                                                  static_cast<int>(put), nullptr, 0));
    }
    return result;
}

int WINAPI lstrcmpiW(LPCWSTR first, LPCWSTR second) {
    return ::lstrcmpiA(AnsiArgument(first), AnsiArgument(second));
}

LPWSTR WINAPI lstrcpynW(LPWSTR target, LPCWSTR source, int size) {
    if (!target || !source) return nullptr;
    LPWSTR out = target;
    while (size > 1 && *source) {
        *out++ = *source++;
        --size;
    }
    if (size > 0) *out = L'\0';
    return target;
}

} // namespace qv::win::ansi

QV_BRIDGE("kernel32.dll", GetModuleHandleW, 4);
QV_BRIDGE("kernel32.dll", CreateSemaphoreW, 16);
QV_BRIDGE("kernel32.dll", CreateMutexW, 12);
QV_BRIDGE("kernel32.dll", OpenMutexW, 12);
QV_BRIDGE("kernel32.dll", LoadLibraryW, 4);
QV_BRIDGE("kernel32.dll", GetModuleFileNameW, 12);
QV_BRIDGE("kernel32.dll", GetLocaleInfoW, 16);
QV_BRIDGE("kernel32.dll", GetStartupInfoW, 4);
QV_BRIDGE("kernel32.dll", WriteConsoleW, 20);
QV_BRIDGE("kernel32.dll", lstrcmpiW, 8);
QV_BRIDGE("kernel32.dll", lstrcpynW, 12);
