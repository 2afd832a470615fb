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

// How a claim looks for a mutex that is already there (tests pass a stand-in).
using OpenMutexFunction = HANDLE(WINAPI*)(DWORD access, BOOL inherit, LPCWSTR name);

// Looks for the mutex `name`, then makes it. A copy that started at the same moment may have made it
// between the two: that also counts as another copy running.
InstanceClaim claim_single_instance(const wchar_t* name, OpenMutexFunction open_mutex = &::OpenMutexW);

} // namespace qv::app
