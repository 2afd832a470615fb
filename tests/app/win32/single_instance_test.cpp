// One copy at a time, also when two start at the same moment (the second looked for the mutex before
// the first had made it, and made it just after) and when the first runs elevated (the mutex is there
// but may not be opened, nor made again).
#include "app/win32/single_instance.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

constexpr wchar_t kName[] = L"QuorvaneTest_SingleInstance";

// Mutex calls that fail with `error`, as the system's do.
template <DWORD error> HANDLE WINAPI open_fails(DWORD, BOOL, LPCWSTR) {
    ::SetLastError(error);
    return nullptr;
}
template <DWORD error> HANDLE WINAPI create_fails(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) {
    ::SetLastError(error);
    return nullptr;
}
constexpr auto not_there_yet = &open_fails<ERROR_FILE_NOT_FOUND>;
constexpr auto open_denied = &open_fails<ERROR_ACCESS_DENIED>;
constexpr auto create_denied = &create_fails<ERROR_ACCESS_DENIED>;
constexpr auto create_failed = &create_fails<ERROR_NOT_ENOUGH_MEMORY>;

TEST(SingleInstance, TheSecondClaimFindsTheFirstEvenWhenItLookedTooEarly) {
    InstanceClaim first = claim_single_instance(kName);
    ASSERT_FALSE(first.another_copy_runs);
    ASSERT_TRUE(first.mutex);
    EXPECT_TRUE(claim_single_instance(kName).another_copy_runs);
    InstanceClaim racing = claim_single_instance(kName, {not_there_yet});
    EXPECT_TRUE(racing.another_copy_runs);
    EXPECT_FALSE(racing.mutex);

    first.mutex.reset();
    racing.mutex.reset();
    EXPECT_FALSE(claim_single_instance(kName).another_copy_runs) << "the name is not free after the first ended";
}

TEST(SingleInstance, AMutexWeMayNotOpenIsAnotherCopy) {
    struct Case {
        MutexCalls calls;
        bool another_copy_runs;
    };
    const Case cases[] = {
        {{open_denied, create_failed}, true},
        {{not_there_yet, create_denied}, true},
        // Without a mutex the program runs all the same.
        {{not_there_yet, create_failed}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(claim_single_instance(kName, c.calls).another_copy_runs, c.another_copy_runs)
            << (&c - cases);
    }
    EXPECT_TRUE(mutex_exists(kName, {open_denied}));
    EXPECT_FALSE(mutex_exists(kName, {not_there_yet}));
}

} // namespace
} // namespace qv::app
