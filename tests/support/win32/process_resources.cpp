#include "support/win32/process_resources.h"

#include <psapi.h>

#include <vector>

namespace qv::test {
namespace {

// Wine's GDI handle table: 0x10000 entries of this layout on both architectures.
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;  // 0 for a free entry
    std::uint8_t flags;
    std::uint64_t user_pointer;
};
static_assert(sizeof(GdiTableEntry) == 24);
constexpr size_t kGdiTableEntries = 0x10000;
// Where the PEB keeps the table's address.
constexpr size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

template <typename Function>
Function* system_function(const wchar_t* module, const char* name) {
    HMODULE handle = ::GetModuleHandleW(module);
    if (!handle) handle = ::LoadLibraryW(module);
    return handle ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(handle, name))) : nullptr;
}

struct BasicProcessInformation {
    LONG exit_status;
    void* peb;
    ULONG_PTR affinity_mask;
    LONG base_priority;
    ULONG_PTR process_id;
    ULONG_PTR parent_process_id;
};

void* peb_address(HANDLE process) {
    using Query = LONG WINAPI(HANDLE, int, void*, ULONG, ULONG*);
    auto* query = system_function<Query>(L"ntdll.dll", "NtQueryInformationProcess");
    BasicProcessInformation info{};
    if (!query || query(process, 0 /* ProcessBasicInformation */, &info, sizeof(info), nullptr) != 0) return nullptr;
    return info.peb;
}

std::optional<long> wine_gdi_table_count(HANDLE process) {
    auto* peb = static_cast<const char*>(peb_address(process));
    void* table = nullptr;
    SIZE_T got = 0;
    if (!peb || !::ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof(table), &got) ||
        got != sizeof(table) || !table) {
        return std::nullopt;
    }
    std::vector<GdiTableEntry> entries(kGdiTableEntries);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiTableEntry), &got) ||
        got != entries.size() * sizeof(GdiTableEntry)) {
        return std::nullopt;
    }
    long live = 0;
    for (const auto& entry : entries) {
        if (entry.type != 0) ++live;
    }
    return live;
}

} // namespace

std::optional<ProcessMemory> process_memory(HANDLE process) {
    // Looked up at run time: older import libraries put it in psapi.dll, newer systems in kernel32.
    using Query = BOOL WINAPI(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    auto* query = system_function<Query>(L"kernel32.dll", "K32GetProcessMemoryInfo");
    if (!query) query = system_function<Query>(L"psapi.dll", "GetProcessMemoryInfo");
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!query || !query(process, &counters, sizeof(counters))) return std::nullopt;
    return ProcessMemory{counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

bool running_under_wine() {
    return system_function<const char*()>(L"ntdll.dll", "wine_get_version") != nullptr;
}

std::optional<long> gdi_object_count(HANDLE process) {
    if (DWORD counted = ::GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<long>(counted);
    if (running_under_wine()) return wine_gdi_table_count(process);
    return std::nullopt;
}

std::optional<long> user_object_count(HANDLE process) {
    if (DWORD counted = ::GetGuiResources(process, GR_USEROBJECTS)) return static_cast<long>(counted);
    return std::nullopt;
}

} // namespace qv::test
