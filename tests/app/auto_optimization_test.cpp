#include "app/auto_optimization.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/fake_timer.h"

namespace qv::app {
namespace {

class AutoOptimizationTest : public ::testing::Test {
protected:
    AutoOptimizationTest() {
        settings.ACChk = settings.ACTChk = settings.ACMChk = true;
        settings.CleanValue = 64;
    }
    test::FakeTimer timer1, timer2{kLowMemoryLockoutMs};
    MainState state;
    std::vector<int> runs;
    AutoSettings settings;
    // What happens inside a run: the real one ends in a display refresh that checks again at once.
    std::function<void()> during_run;
    AutoOptimization rules{timer1, timer2, state, [this](int mb) {
                               runs.push_back(mb);
                               if (during_run && runs.size() < 10) during_run();
                           }};
};

TEST_F(AutoOptimizationTest, LowMemoryRunsAtTheThresholdAndThenWaitsAMinute) {
    rules.check_on_refresh(settings, 10, 17);
    EXPECT_TRUE(runs.empty());  // 17 MB free is above 16
    rules.check_on_refresh(settings, 10, 16);
    EXPECT_EQ(runs, (std::vector<int>{64}));
    EXPECT_TRUE(timer2.enabled());
    rules.check_on_refresh(settings, 10, 3);
    EXPECT_EQ(runs.size(), 1u);  // the shortage lasts, but the lockout holds
    rules.Timer2Timer();
    rules.check_on_refresh(settings, 10, 3);
    EXPECT_EQ(runs.size(), 2u);
}

// The refresh at a run's end finds memory still low: it must not start a run inside the run, nor
// after a lockout that ran out while the run was under way.
TEST_F(AutoOptimizationTest, ChecksFromInsideARunStartNothing) {
    during_run = [this] { rules.check_on_refresh(settings, 10, 3); };
    rules.check_on_refresh(settings, 10, 3);
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_TRUE(timer2.enabled());

    rules.Timer2Timer();
    during_run = [this] {
        rules.Timer2Timer();
        rules.check_on_refresh(settings, 10, 3);
    };
    rules.check_on_refresh(settings, 10, 3);
    EXPECT_EQ(runs.size(), 2u);
    EXPECT_TRUE(timer2.enabled()) << "the minute counts from the run's end";

    // Nor does a periodic run, deferred or not, nest another one.
    rules.Timer2Timer();
    rules.configure_periodic(settings, false);
    rules.Timer1Timer(settings, 10, true);
    EXPECT_EQ(runs.size(), 3u);
    state.PeriodicPending = true;
    settings.ACMChk = false;
    rules.check_on_refresh(settings, 10, 3);
    EXPECT_EQ(runs.size(), 4u);
    EXPECT_FALSE(state.PeriodicPending);
}

TEST_F(AutoOptimizationTest, BusyCpuHoldsLowMemoryRunsOnlyWithACCChk) {
    settings.AutoCleanCPU = 85;
    rules.check_on_refresh(settings, 85, 10);
    EXPECT_EQ(runs.size(), 1u);  // without ACCChk the CPU does not matter here
    rules.Timer2Timer();
    settings.ACCChk = true;
    rules.check_on_refresh(settings, 85, 10);  // at the threshold counts as busy
    EXPECT_EQ(runs.size(), 1u);
    rules.check_on_refresh(settings, 84, 10);
    EXPECT_EQ(runs.size(), 2u);
}

TEST_F(AutoOptimizationTest, PeriodicTickWaitsForACalmRefreshAndRestartsTheTimer) {
    rules.configure_periodic(settings, false);
    EXPECT_TRUE(timer1.enabled());
    EXPECT_EQ(timer1.interval(), 20u * 60000u);
    rules.Timer1Timer(settings, 90, true);
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(state.PeriodicPending);
    EXPECT_FALSE(timer1.enabled());

    settings.ACMChk = false;
    rules.check_on_refresh(settings, 85, 500);  // still not strictly below
    EXPECT_TRUE(runs.empty());
    const int starts = timer1.starts;
    rules.check_on_refresh(settings, 84, 500);
    EXPECT_EQ(runs, (std::vector<int>{64}));
    EXPECT_FALSE(state.PeriodicPending);
    EXPECT_TRUE(timer1.enabled());
    EXPECT_EQ(timer1.starts, starts + 1);
}

TEST_F(AutoOptimizationTest, PeriodicTickWithMonitoringPausedDefers) {
    rules.configure_periodic(settings, false);
    rules.Timer1Timer(settings, 0, false);
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(state.PeriodicPending);
    rules.Timer1Timer(settings, 0, true);
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_TRUE(state.PeriodicPending);  // a tick that runs leaves an earlier pending flag alone
}

TEST_F(AutoOptimizationTest, PeriodConfiguration) {
    settings.AutoCleanTime = 0;
    rules.configure_periodic(settings, false);
    EXPECT_EQ(timer1.interval(), 0u);  // runs, but never fires
    settings.AutoCleanTime = 1000000;
    rules.configure_periodic(settings, false);
    EXPECT_EQ(timer1.interval(), 71582u * 60000u);  // cut, not wrapped
    state.PeriodicPending = true;
    settings.ACTChk = false;
    rules.configure_periodic(settings, true);  // the settings dialog switched periodic runs off
    EXPECT_FALSE(timer1.enabled());
    EXPECT_FALSE(state.PeriodicPending);
}

} // namespace
} // namespace qv::app
