#include "metrics/win32/thunk16.h"

#include <gtest/gtest.h>

namespace qv::metrics::win32 {
namespace {

// The route to the 95 family's thunk services when GetProcAddress refuses kernel32's ordinals.
TEST(ExportByOrdinal, FindsWhatGetProcAddressFinds) {
    for (const char* name : {"kernel32.dll", "ntdll.dll"}) {
        SCOPED_TRACE(name);
        HMODULE module = ::GetModuleHandleA(name);
        ASSERT_NE(module, nullptr);
        int found = 0;
        for (WORD ordinal = 1; ordinal < 2000; ++ordinal) {
            FARPROC ours = export_by_ordinal(module, ordinal);
            if (!ours) continue;  // missing, or forwarded to another module
            ++found;
            ASSERT_EQ(ours, ::GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) << ordinal;
        }
        EXPECT_GT(found, 100);
    }
    EXPECT_EQ(export_by_ordinal(nullptr, 35), nullptr);
}

} // namespace
} // namespace qv::metrics::win32
