#include "app/optimization_progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace qv::app {
namespace {

struct RunRecord {
    std::vector<int> icons;
    std::vector<double> icon_times;
    std::vector<double> message_times;
    double release_start = 0;  // the first step above 50
};

// A run of `blocks` blocks whose steps come `step_ms` apart; every icon can be made unless `failing`.
RunRecord record_run(int blocks, double step_ms, int failing_number = -1) {
    RunFrames frames;
    frames.start();
    RunRecord record;
    const int steps = 2 * blocks;
    for (int done = 1; done <= steps; ++done) {
        const double now = done * step_ms;
        const int progress = (done * 100 + steps / 2) / steps;
        if (progress > 50 && record.release_start == 0) record.release_start = now;
        const RunStepView view = frames.step(progress, now);
        if (view.draw_icon && view.icon_number != failing_number) {
            frames.icon_shown(view.icon_number, now);
            record.icons.push_back(view.icon_number);
            record.icon_times.push_back(now);
        }
        if (view.run_messages) record.message_times.push_back(now);
    }
    return record;
}

TEST(RunFrames, ASlowRunShowsEveryStep) {
    const RunRecord run = record_run(4, kRunIconFrameMs);
    EXPECT_EQ(run.icons, (std::vector<int>{26, 50, 76, 100}));
    EXPECT_EQ(run.message_times.size(), 8u);
    // A number the system could not turn into an icon is drawn again at the next step, with that step's number.
    EXPECT_EQ(record_run(4, kRunIconFrameMs, 50).icons, (std::vector<int>{26, 76, 100}));
}

TEST(RunFrames, AFastRunShowsItselfAtAFramePaceAndAtEachPhase) {
    // 512 MB while nothing is paged out: 1024 steps of 0.2 ms.
    const RunRecord run = record_run(512, 0.2);
    ASSERT_GE(run.icons.size(), 3u);
    EXPECT_LE(run.icons.size(), 1024 * 0.2 / 2 / kRunIconFrameMs + 2);
    EXPECT_EQ(run.icons.front(), 0);
    EXPECT_EQ(run.icons.back(), 100);  // the end of filling, however soon after the last number
    for (size_t i = 1; i + 1 < run.icon_times.size(); ++i) {
        EXPECT_GT(run.icons[i], run.icons[i - 1]);
        EXPECT_GE(run.icon_times[i] - run.icon_times[i - 1], kRunIconFrameMs);
    }
    // The queue runs at the first step, at the first step of releasing (its title), and a frame apart.
    EXPECT_EQ(run.message_times.front(), 0.2);
    const auto& passes = run.message_times;
    EXPECT_NE(std::find(passes.begin(), passes.end(), run.release_start), passes.end());
    EXPECT_LE(run.message_times.size(), 1024 * 0.2 / kRunFrameMs + 2);
    for (size_t i = 1; i < run.message_times.size(); ++i) {
        EXPECT_LE(run.message_times[i] - run.message_times[i - 1], kRunFrameMs + 0.2 + 1e-9);
    }
}

} // namespace
} // namespace qv::app
