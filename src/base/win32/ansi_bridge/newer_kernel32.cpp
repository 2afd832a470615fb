// Functions of newer systems that the posix-thread runtime of the test builds imports (the shipped
// program's win32-thread runtime does not): GetTickCount64 (Vista on) and the vectored exception
// handlers (XP on). Their import slots are defined here, so that no build of the program imports what
// Windows 98, Me or 2000 lack; each call reaches the system's function where it exists, else a stand-in.
#include <windows.h>

#include "base/win32/ansi_bridge/bridge.h"

namespace {

using TickCount64 = ULONGLONG(WINAPI*)();
using AddHandler = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveHandler = ULONG(WINAPI*)(PVOID);

// GetTickCount widened across its wraps, as long as it is asked at least once in 49.7 days.
ULONGLONG WINAPI tick_count_64() {
    static DWORD last = 0;
    static ULONGLONG wraps = 0;
    const DWORD now = ::GetTickCount();
    if (now < last) wraps += 0x100000000ull;
    last = now;
    return wraps + now;
}

// Without vectored handling nothing is installed; the runtime only uses it to name threads for a debugger.
PVOID WINAPI add_handler(ULONG, PVECTORED_EXCEPTION_HANDLER) { return nullptr; }
ULONG WINAPI remove_handler(PVOID) { return 0; }

constexpr char kKernel32[] = "kernel32.dll";
constexpr char kTickCount64[] = "GetTickCount64";
constexpr char kAddHandler[] = "AddVectoredExceptionHandler";
constexpr char kRemoveHandler[] = "RemoveVectoredExceptionHandler";

} // namespace

extern "C" TickCount64 qv_newer_slot_GetTickCount64 __asm__(QV_IMPORT_SLOT_NAME(GetTickCount64, 0));
extern "C" AddHandler qv_newer_slot_AddVectoredExceptionHandler __asm__(QV_IMPORT_SLOT_NAME(AddVectoredExceptionHandler, 8));
extern "C" RemoveHandler qv_newer_slot_RemoveVectoredExceptionHandler __asm__(
    QV_IMPORT_SLOT_NAME(RemoveVectoredExceptionHandler, 4));

TickCount64 qv_newer_slot_GetTickCount64 =
    &qv::win::bridge::Slot<TickCount64>::resolve_newer<&qv_newer_slot_GetTickCount64, kKernel32, kTickCount64,
                                                        &tick_count_64>;
AddHandler qv_newer_slot_AddVectoredExceptionHandler =
    &qv::win::bridge::Slot<AddHandler>::resolve_newer<&qv_newer_slot_AddVectoredExceptionHandler, kKernel32,
                                                       kAddHandler, &add_handler>;
RemoveHandler qv_newer_slot_RemoveVectoredExceptionHandler =
    &qv::win::bridge::Slot<RemoveHandler>::resolve_newer<&qv_newer_slot_RemoveVectoredExceptionHandler, kKernel32,
                                                          kRemoveHandler, &remove_handler>;
