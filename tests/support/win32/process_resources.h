#pragma once
// What a process holds, read from outside (or for the test's own process): its memory and its GDI and
// USER objects, so that a test can see a run take memory and a drawing loop keep its objects flat.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace qv::test {

struct ProcessMemory {
    std::uint64_t working_set = 0;       // bytes in physical memory now
    std::uint64_t peak_working_set = 0;  // the most it ever had (never goes down)
    std::uint64_t private_bytes = 0;     // committed memory of its own
};
std::optional<ProcessMemory> process_memory(HANDLE process);

bool running_under_wine();

// Live GDI objects of the process. Windows counts them (GetGuiResources). Wine answers 0 there; it
// keeps each process's GDI objects in a table of its own whose address the process's PEB holds
// (GdiSharedHandleTable, the layout Wine shares with native tools), and a live entry has a type, so the
// count is read from that table. The other process must be of the test's own architecture. Nothing when
// neither way works.
std::optional<long> gdi_object_count(HANDLE process);
// Live USER objects (windows, menus, icons, ...): only Windows counts them; nothing under Wine, where a
// leaked icon still shows in the GDI count (each icon holds two bitmaps).
std::optional<long> user_object_count(HANDLE process);
// That a count read before a loop grew by at most `slack` after it. A count the system gave before must be
// there after too; one it does not give at all is named as unchecked in the test's output.
void expect_count_flat(const char* what, std::optional<long> before, std::optional<long> after, long slack);
// Committed memory of the process's own (not its mapped files and images), in bytes.
std::uint64_t private_bytes(HANDLE process);
// Open kernel handles of the process; nothing when the system does not say.
std::optional<long> handle_count(HANDLE process);
// The windows of the process: top-level, message-only and every child of them. Under Wine, where no USER
// count is read, this is the part of it that a window leak shows in.
long window_count(DWORD process_id);

} // namespace qv::test
