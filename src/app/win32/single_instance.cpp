#include "app/win32/single_instance.h"

#include <utility>

namespace qv::app {

InstanceClaim claim_single_instance(const wchar_t* name, OpenMutexFunction open_mutex) {
    InstanceClaim claim;
    if (win::UniqueKernelHandle other{open_mutex(MUTEX_ALL_ACCESS, FALSE, name)}) {
        claim.another_copy_runs = true;
        return claim;
    }
    win::UniqueKernelHandle made{::CreateMutexW(nullptr, FALSE, name)};
    // Made by a copy that started at the same moment, after we looked.
    if (made && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        claim.another_copy_runs = true;
        return claim;
    }
    claim.mutex = std::move(made);
    return claim;
}

} // namespace qv::app
