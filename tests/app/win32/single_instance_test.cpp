// One copy at a time, also when two start at the same moment: the second looked for the mutex before
// the first had made it, and made it just after.
#include "app/win32/single_instance.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

constexpr wchar_t kName[] = L"QuorvaneTest_SingleInstance";

HANDLE WINAPI not_there_yet(DWORD, BOOL, LPCWSTR) { return nullptr; }

TEST(SingleInstance, TheSecondClaimFindsTheFirstEvenWhenItLookedTooEarly) {
    InstanceClaim first = claim_single_instance(kName);
    ASSERT_FALSE(first.another_copy_runs);
    ASSERT_TRUE(first.mutex);
    EXPECT_TRUE(claim_single_instance(kName).another_copy_runs);
    InstanceClaim racing = claim_single_instance(kName, &not_there_yet);
    EXPECT_TRUE(racing.another_copy_runs);
    EXPECT_FALSE(racing.mutex);

    first.mutex.reset();
    racing.mutex.reset();
    EXPECT_FALSE(claim_single_instance(kName).another_copy_runs) << "the name is not free after the first ended";
}

} // namespace
} // namespace qv::app
