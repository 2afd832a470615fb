#include "base/win32/ansi_bridge/advapi32.h"

#include <cstring>
#include <string>

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win::ansi {
namespace {

bool is_text(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

} // namespace

LSTATUS WINAPI RegCreateKeyExW(HKEY key, LPCWSTR sub_key, DWORD reserved, LPWSTR key_class, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
    return ::RegCreateKeyExA(key, bridge::AnsiArgument(sub_key), reserved,
                             const_cast<LPSTR>(bridge::AnsiArgument(key_class).get()), options, access, security,
                             result, disposition);
}

LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    const bridge::AnsiArgument ansi_name(name);
    DWORD kind = REG_NONE;
    DWORD ansi_size = 0;
    LSTATUS status = ::RegQueryValueExA(key, ansi_name, reserved, &kind, nullptr, &ansi_size);
    if (status != ERROR_SUCCESS) return status;
    if (!is_text(kind)) return ::RegQueryValueExA(key, ansi_name, reserved, type, data, size);
    if (data && !size) return ERROR_INVALID_PARAMETER;

    // The whole value, whatever the caller's buffer holds: its wide size depends on every byte.
    std::string bytes;
    do {
        bytes.resize(ansi_size);
        ansi_size = static_cast<DWORD>(bytes.size());
        status = ::RegQueryValueExA(key, ansi_name, reserved, &kind, reinterpret_cast<LPBYTE>(bytes.data()), &ansi_size);
    } while (status == ERROR_MORE_DATA);
    if (status != ERROR_SUCCESS) return status;
    bytes.resize(ansi_size);

    std::wstring wide;
    if (!bytes.empty()) {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        wide.resize(static_cast<std::size_t>(length));
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    }
    const auto wide_size = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    if (type) *type = kind;
    if (!data) {
        if (size) *size = wide_size;
        return ERROR_SUCCESS;
    }
    const DWORD capacity = *size;
    *size = wide_size;
    if (capacity < wide_size) return ERROR_MORE_DATA;
    std::memcpy(data, wide.data(), wide_size);
    return ERROR_SUCCESS;
}

} // namespace qv::win::ansi

QV_BRIDGE("advapi32.dll", RegCreateKeyExW, 36);
QV_BRIDGE("advapi32.dll", RegQueryValueExW, 24);
