// The main of the Windows test programs. Skipped tests are named in the output (a brief run hides
// them), and with QV_REQUIRE_ALL_RAN set (the dedicated test entries, which run chosen scenarios in a
// session made for them) a skip, or a filter that matches nothing, fails the run: there it means the
// scenario did not check what the entry exists for.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    int status = RUN_ALL_TESTS();
    const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
    for (int s = 0; s < run.total_test_suite_count(); ++s) {
        const ::testing::TestSuite& suite = *run.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t) {
            const ::testing::TestInfo& test = *suite.GetTestInfo(t);
            if (!test.should_run() || !test.result()->Skipped()) continue;
            const char* why = "";
            for (int p = 0; p < test.result()->total_part_count(); ++p) {
                if (test.result()->GetTestPartResult(p).skipped()) why = test.result()->GetTestPartResult(p).message();
            }
            std::printf("SKIPPED %s.%s: %s\n", suite.name(), test.name(), why);
        }
    }
    if (std::getenv("QV_REQUIRE_ALL_RAN")) {
        if (run.test_to_run_count() == 0) {
            std::printf("FAILED: no test ran (QV_REQUIRE_ALL_RAN)\n");
            status = 1;
        } else if (run.skipped_test_count() > 0) {
            std::printf("FAILED: %d tests skipped (QV_REQUIRE_ALL_RAN)\n", run.skipped_test_count());
            status = 1;
        }
    }
    std::fflush(stdout);
    return status;
}
