#include "support/win32/process_resources.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!query || !query(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        return std::nullopt;
    }
    return ProcessMemory{counters.WorkingSetSize, counters.PeakWorkingSetSize, counters.PrivateUsage};
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

void expect_count_flat(const char* what, std::optional<long> before, std::optional<long> after, long slack) {
    if (!before) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::printf("UNCHECKED %s.%s: this system does not count %s\n", test->test_suite_name(), test->name(), what);
        return;
    }
    if (!after) {
        ADD_FAILURE() << what << " were counted before (" << *before << ") but cannot be counted after";
        return;
    }
    EXPECT_LE(*after - *before, slack) << what << " " << *before << " -> " << *after;
}

std::optional<long> handle_count(HANDLE process) {
    DWORD count = 0;
    if (::GetProcessHandleCount(process, &count) && count > 0) return static_cast<long>(count);
    // Wine answers 0 for another process; its system-wide handle list names each handle's process.
    struct HandleEntry {
        ULONG owner_pid;
        BYTE object_type;
        BYTE flags;
        USHORT value;
        void* object;
        ULONG access;
    };
    using Query = LONG WINAPI(int, void*, ULONG, ULONG*);
    auto* query = system_function<Query>(L"ntdll.dll", "NtQuerySystemInformation");
    const DWORD pid = ::GetProcessId(process);
    if (!query || !pid) return std::nullopt;
    constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<std::uint8_t> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kLengthMismatch && buffer.size() < (64u << 20)) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
            continue;
        }
        if (status != 0) return std::nullopt;
        break;
    }
    ULONG entries = 0;
    std::memcpy(&entries, buffer.data(), sizeof(entries));
    const auto* first = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(void*));
    long own = 0;
    for (ULONG i = 0; i < entries && sizeof(void*) + (i + 1) * sizeof(HandleEntry) <= buffer.size(); ++i) {
        if (first[i].owner_pid == pid) ++own;
    }
    return own;
}

std::uint64_t private_bytes(HANDLE process) {
    if (auto memory = process_memory(process); memory && memory->private_bytes > 0) return memory->private_bytes;
    // Wine answers 0 for another process: its committed private regions are added up instead.
    std::uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; ::VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

namespace {

struct WindowTally {
    DWORD process_id;
    long count;
};

BOOL CALLBACK CountChildWindow(HWND, LPARAM tally) {
    ++reinterpret_cast<WindowTally*>(tally)->count;
    return TRUE;
}

void count_with_children(HWND window, WindowTally& tally) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != tally.process_id) return;
    ++tally.count;
    ::EnumChildWindows(window, CountChildWindow, reinterpret_cast<LPARAM>(&tally));
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM tally) {
    count_with_children(window, *reinterpret_cast<WindowTally*>(tally));
    return TRUE;
}

} // namespace

long window_count(DWORD process_id) {
    WindowTally tally{process_id, 0};
    ::EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&tally));
    for (HWND window = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        count_with_children(window, tally);
    }
    return tally.count;
}

} // namespace qv::test
