#include "base/win32/memory_status.h"

#include "base/win32/system_function.h"

namespace qv::win {

SystemMemoryStatus::SystemMemoryStatus() noexcept {
    status_ex_ = system_function<StatusExFunction>(L"kernel32.dll", "GlobalMemoryStatusEx");
}

MemoryStatus SystemMemoryStatus::memory_status() {
    MemoryStatus result;
    if (status_ex_) {
        MEMORYSTATUSEX ex{};
        ex.dwLength = sizeof(ex);
        if (status_ex_(&ex)) {
            result.memory_load = ex.dwMemoryLoad;
            result.total_phys = ex.ullTotalPhys;
            result.avail_phys = ex.ullAvailPhys;
            result.total_page_file = ex.ullTotalPageFile;
            result.avail_page_file = ex.ullAvailPageFile;
            result.total_virtual = ex.ullTotalVirtual;
            result.avail_virtual = ex.ullAvailVirtual;
            return result;
        }
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    ::GlobalMemoryStatus(&status);
    result.memory_load = status.dwMemoryLoad;
    result.total_phys = status.dwTotalPhys;
    result.avail_phys = status.dwAvailPhys;
    result.total_page_file = status.dwTotalPageFile;
    result.avail_page_file = status.dwAvailPageFile;
    result.total_virtual = status.dwTotalVirtual;
    result.avail_virtual = status.dwAvailVirtual;
    return result;
}

} // namespace qv::win
