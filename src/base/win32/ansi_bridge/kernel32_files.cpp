#include "base/win32/ansi_bridge/kernel32_files.h"

#include <cstddef>
#include <cstring>
#include <iterator>

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win::ansi {
namespace {

using bridge::AnsiArgument;

void wide_find_data(const WIN32_FIND_DATAA& ansi, WIN32_FIND_DATAW& wide) {
    std::memcpy(&wide, &ansi, offsetof(WIN32_FIND_DATAA, cFileName));
    bridge::copy_to_wide(std::string_view(ansi.cFileName, strnlen(ansi.cFileName, MAX_PATH)), wide.cFileName,
                         static_cast<int>(std::size(wide.cFileName)));
    bridge::copy_to_wide(
        std::string_view(ansi.cAlternateFileName, strnlen(ansi.cAlternateFileName, std::size(ansi.cAlternateFileName))),
        wide.cAlternateFileName, static_cast<int>(std::size(wide.cAlternateFileName)));
}

} // namespace

HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE template_file) {
    return ::CreateFileA(AnsiArgument(name), access, sharing, security, disposition, flags, template_file);
}

BOOL WINAPI CopyFileW(LPCWSTR from, LPCWSTR to, BOOL fail_if_exists) {
    return ::CopyFileA(AnsiArgument(from), AnsiArgument(to), fail_if_exists);
}

BOOL WINAPI MoveFileW(LPCWSTR from, LPCWSTR to) { return ::MoveFileA(AnsiArgument(from), AnsiArgument(to)); }

BOOL WINAPI DeleteFileW(LPCWSTR name) { return ::DeleteFileA(AnsiArgument(name)); }

BOOL WINAPI CreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES security) {
    return ::CreateDirectoryA(AnsiArgument(name), security);
}

DWORD WINAPI GetFileAttributesW(LPCWSTR name) { return ::GetFileAttributesA(AnsiArgument(name)); }

UINT WINAPI GetTempFileNameW(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR name) {
    char ansi[MAX_PATH]{};
    const UINT result = ::GetTempFileNameA(AnsiArgument(folder), AnsiArgument(prefix), unique, ansi);
    if (result != 0) bridge::copy_to_wide(std::string_view(ansi, strnlen(ansi, MAX_PATH)), name, MAX_PATH);
    return result;
}

HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found) {
    WIN32_FIND_DATAA ansi{};
    const HANDLE search = ::FindFirstFileA(AnsiArgument(pattern), &ansi);
    if (search != INVALID_HANDLE_VALUE) wide_find_data(ansi, *found);
    return search;
}

BOOL WINAPI FindNextFileW(HANDLE search, LPWIN32_FIND_DATAW found) {
    WIN32_FIND_DATAA ansi{};
    if (!::FindNextFileA(search, &ansi)) return FALSE;
    wide_find_data(ansi, *found);
    return TRUE;
}

} // namespace qv::win::ansi

QV_BRIDGE("kernel32.dll", CreateFileW, 28);
QV_BRIDGE("kernel32.dll", CopyFileW, 12);
QV_BRIDGE("kernel32.dll", MoveFileW, 8);
QV_BRIDGE("kernel32.dll", DeleteFileW, 4);
QV_BRIDGE("kernel32.dll", CreateDirectoryW, 8);
QV_BRIDGE("kernel32.dll", GetFileAttributesW, 4);
QV_BRIDGE("kernel32.dll", GetTempFileNameW, 16);
QV_BRIDGE("kernel32.dll", FindFirstFileW, 8);
QV_BRIDGE("kernel32.dll", FindNextFileW, 8);
