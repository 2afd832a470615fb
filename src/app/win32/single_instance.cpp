#include "app/win32/single_instance.h"

#include <utility>

namespace qv::app {

bool mutex_exists(const wchar_t* name, const MutexCalls& calls) {
    // Waiting is all that anyone needs of it.
    win::UniqueKernelHandle mutex(calls.open(SYNCHRONIZE, FALSE, name));
    return mutex || ::GetLastError() == ERROR_ACCESS_DENIED;
}

InstanceClaim claim_single_instance(const wchar_t* name, const MutexCalls& calls) {
    InstanceClaim claim;
    if (mutex_exists(name, calls)) {
        claim.another_copy_runs = true;
        return claim;
    }
    win::UniqueKernelHandle made{calls.create(nullptr, FALSE, name)};
    const DWORD error = ::GetLastError();
    // Made by a copy that started at the same moment, after we looked; or one we may not open.
    if (made ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED) {
        claim.another_copy_runs = true;
        return claim;
    }
    claim.mutex = std::move(made);
    return claim;
}

} // namespace qv::app
