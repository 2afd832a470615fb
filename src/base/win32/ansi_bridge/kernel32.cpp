#include "base/win32/ansi_bridge/kernel32.h"

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win::ansi {

using bridge::AnsiArgument;

HMODULE WINAPI GetModuleHandleW(LPCWSTR name) { return ::GetModuleHandleA(AnsiArgument(name)); }

HANDLE WINAPI CreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
    return ::CreateSemaphoreA(security, initial, maximum, AnsiArgument(name));
}

} // namespace qv::win::ansi

QV_BRIDGE("kernel32.dll", GetModuleHandleW, 4);
QV_BRIDGE("kernel32.dll", CreateSemaphoreW, 16);
