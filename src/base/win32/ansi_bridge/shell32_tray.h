#pragma once
// The 95 family's stand-in for the shell's wide tray function (see bridge.h).
#include <windows.h>
#include <shellapi.h>

namespace qv::win::ansi {

// The record in the first layout, the only one every shell of the 95 family takes: the flags it knows
// and the tip cut to its 64 bytes at a whole character.
NOTIFYICONDATAA ansi_notify_icon_data(const NOTIFYICONDATAW& data) noexcept;

BOOL WINAPI Shell_NotifyIconW(DWORD action, PNOTIFYICONDATAW data);

} // namespace qv::win::ansi
