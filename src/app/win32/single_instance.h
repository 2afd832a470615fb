#pragma once
// One copy of the program at a time: a named mutex that the running copy holds for its whole life.
#include <windows.h>

#include "base/win32/unique_handle.h"

namespace qv::app {

struct InstanceClaim {
    bool another_copy_runs = false;
    // Held until the process ends; empty when another copy runs (or the system made no mutex, when
    // the program runs anyway).
    win::UniqueKernelHandle mutex;
};

// The system's mutex calls (tests pass stand-ins). Each leaves its error for GetLastError.
struct MutexCalls {
    using Open = HANDLE(WINAPI*)(DWORD access, BOOL inherit, LPCWSTR name);
    using Create = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES security, BOOL owned, LPCWSTR name);
    Open open = &::OpenMutexW;
    Create create = &::CreateMutexW;
};

// Whether the mutex `name` is there. One we may not open (made by an elevated copy, or by another user)
// is there all the same.
bool mutex_exists(const wchar_t* name, const MutexCalls& calls = {});

// Looks for the mutex `name`, then makes it. A copy that started at the same moment may have made it
// between the two: that also counts as another copy running.
InstanceClaim claim_single_instance(const wchar_t* name, const MutexCalls& calls = {});

} // namespace qv::app
