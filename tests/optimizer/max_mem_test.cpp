#include "optimizer/max_mem.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/extended_precision.h"

namespace {

using qv::optimizer::ProgressPercent;
using qv::optimizer::TMaxMem;

constexpr std::uint32_t kUnwritten = 0xA5A5A5A5u;

// Real 1 MiB blocks, filled with a pattern when handed out, so that the test sees whether the run wrote
// every byte of a block before it asked for the next one and before it released it.
class FakeBlocks : public qv::optimizer::MemoryBlocks {
public:
    std::set<int> refused;    // commit attempts (from 0) the system refuses
    int obtainable = 1 << 30; // attempts from this one on are refused too
    int attempts = 0;
    std::vector<void*> committed;
    std::vector<void*> released;
    std::size_t peak_outstanding = 0;
    int first_release_after_attempts = -1;
    std::vector<std::string> faults;

    void* commit(std::size_t bytes) override {
        check_last_written("at the next commit");
        const int attempt = attempts++;
        if (bytes != TMaxMem::BlockSize) faults.push_back("block size " + std::to_string(bytes));
        if (refused.count(attempt) || attempt >= obtainable) return nullptr;
        auto block = std::make_unique<std::uint32_t[]>(bytes / 4);
        for (std::size_t i = 0; i < bytes / 4; ++i) block[i] = kUnwritten;
        void* address = block.get();
        live_.emplace_back(address, std::move(block));
        committed.push_back(address);
        last_ = address;
        peak_outstanding = std::max(peak_outstanding, live_.size());
        return address;
    }

    void release(void* block) noexcept override {
        check_last_written("at the first release");
        if (first_release_after_attempts < 0) first_release_after_attempts = attempts;
        released.push_back(block);
        for (auto it = live_.begin(); it != live_.end(); ++it) {
            if (it->first != block) continue;
            if (!all_zero(it->second.get())) faults.push_back("released an unwritten block");
            live_.erase(it);
            return;
        }
        faults.push_back("released a block it did not obtain");
    }

    std::size_t outstanding() const { return live_.size(); }

private:
    static bool all_zero(const std::uint32_t* words) {
        for (std::size_t i = 0; i < TMaxMem::BlockSize / 4; ++i) {
            if (words[i] != 0) return false;
        }
        return true;
    }
    void check_last_written(const char* when) {
        if (!last_) return;
        for (auto& [address, block] : live_) {
            if (address == last_ && !all_zero(block.get())) faults.push_back(std::string("unwritten ") + when);
        }
        last_ = nullptr;
    }

    std::vector<std::pair<void*, std::unique_ptr<std::uint32_t[]>>> live_;
    void* last_ = nullptr;
};

class FakeStatus : public qv::MemoryStatusSource {
public:
    qv::MemoryStatus status;
    int reads = 0;
    qv::MemoryStatus memory_status() override {
        ++reads;
        return status;
    }
};

struct Recorder {
    std::vector<std::string> events;
    std::vector<std::int32_t> progress;

    void attach(TMaxMem& mem) {
        mem.OnBeforeDefrag = [this](TMaxMem& sender) { events.push_back(sender.Busy() ? "before(busy)" : "before"); };
        mem.OnProgress = [this](TMaxMem&, std::int32_t value) {
            events.push_back("progress");
            progress.push_back(value);
        };
        mem.OnAfterDefrag = [this](TMaxMem& sender) { events.push_back(sender.Busy() ? "after(busy)" : "after"); };
    }
};

class MaxMemTest : public ::testing::Test {
protected:
    FakeBlocks blocks;
    FakeStatus status;
    std::unique_ptr<TMaxMem> mem;
    Recorder recorder;

    void SetUp() override {
        status.status.total_phys = 6ull << 30;
        status.status.avail_phys = 1ull << 30;
        mem = std::make_unique<TMaxMem>(blocks, status);
        recorder.attach(*mem);
    }
    void expect_clean() {
        EXPECT_EQ(blocks.faults, std::vector<std::string>{});
        EXPECT_EQ(blocks.outstanding(), 0u);
        EXPECT_EQ(blocks.released, blocks.committed) << "released in the order committed, each once";
        EXPECT_FALSE(mem->Busy());
    }
};

TEST_F(MaxMemTest, RunsCommitWriteAndReleaseWithTheProgressOfEachStep) {
    struct Case {
        std::int32_t size;
        std::vector<std::int32_t> progress;
    };
    const Case cases[] = {
        {4, {12, 25, 38, 50, 62, 75, 88, 100}},
        {3, {17, 33, 50, 67, 83, 100}},
        {1, {50, 100}},
        {0, {}},
        {-3, {}},
        {INT32_MIN, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        blocks = FakeBlocks{};
        recorder = Recorder{};
        mem->RunDefrag(c.size);
        EXPECT_EQ(recorder.progress, c.progress);
        std::vector<std::string> expected{"before(busy)"};
        expected.insert(expected.end(), c.progress.size(), "progress");
        expected.push_back("after");
        EXPECT_EQ(recorder.events, expected);
        const std::size_t count = c.progress.size() / 2;
        EXPECT_EQ(blocks.committed.size(), count);
        EXPECT_EQ(blocks.peak_outstanding, count) << "every block is committed before the first is released";
        if (count) {
            EXPECT_EQ(blocks.first_release_after_attempts, static_cast<int>(count));
        }
        expect_clean();
    }
}

TEST_F(MaxMemTest, LargeRequestsAreLimitedTo1024Blocks) {
    // Only the first few attempts get memory, to keep the test small; the attempts and steps still
    // show the limit.
    for (std::int32_t size : {1025, 5000, INT32_MAX}) {
        SCOPED_TRACE(size);
        blocks = FakeBlocks{};
        blocks.obtainable = 3;
        recorder = Recorder{};
        mem->RunDefrag(size);
        EXPECT_EQ(blocks.attempts, 1024);
        ASSERT_EQ(recorder.progress.size(), 2048u);
        EXPECT_EQ(recorder.progress[1023], 50);
        EXPECT_EQ(recorder.progress.back(), 100);
        expect_clean();
    }
}

TEST_F(MaxMemTest, RefusedBlocksAreSkippedNeverWrittenAndTheRunGoesOn) {
    blocks.refused = {0, 2, 3};
    mem->RunDefrag(5);
    EXPECT_EQ(blocks.attempts, 5);
    EXPECT_EQ(blocks.committed.size(), 2u);
    EXPECT_EQ(mem->BlocksObtained(), 2);
    EXPECT_EQ(recorder.progress, (std::vector<std::int32_t>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(recorder.events.back(), "after");
    expect_clean();

    blocks = FakeBlocks{};
    blocks.obtainable = 0;  // nothing at all
    recorder = Recorder{};
    mem->RunDefrag(2);
    EXPECT_EQ(recorder.progress, (std::vector<std::int32_t>{25, 50, 75, 100}));
    EXPECT_EQ(recorder.events.back(), "after");
    EXPECT_EQ(mem->BlocksObtained(), 0) << "the count of the run before was kept";
    expect_clean();
}

TEST_F(MaxMemTest, NestedRequestsDoNothingUntilTheRunHasEnded) {
    int nested_from_progress = 0;
    mem->OnBeforeDefrag = [&](TMaxMem& sender) { sender.RunDefrag(50); };
    mem->OnProgress = [&](TMaxMem& sender, std::int32_t value) {
        recorder.progress.push_back(value);
        if (nested_from_progress++ < 3) sender.RunDefrag(7);
    };
    int after_runs = 0;
    mem->OnAfterDefrag = [&](TMaxMem& sender) {
        EXPECT_FALSE(sender.Busy());
        if (after_runs++ == 0) sender.RunDefrag(1);  // a handler of the end may start a new run
    };
    mem->RunDefrag(2);
    EXPECT_EQ(recorder.progress, (std::vector<std::int32_t>{25, 50, 75, 100, 50, 100}));
    EXPECT_EQ(after_runs, 2);
    EXPECT_EQ(blocks.committed.size(), 3u);
    expect_clean();
}

TEST_F(MaxMemTest, AHandlerExceptionReleasesEverythingAndEndsTheRun) {
    struct Case {
        const char* name;
        int throw_at_event;  // 0 = OnBeforeDefrag, n = the nth OnProgress
        std::size_t committed;
    };
    const Case cases[] = {{"before", 0, 0}, {"filling", 2, 2}, {"releasing", 6, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        blocks = FakeBlocks{};
        int event = 0;
        int afters = 0;
        mem->OnBeforeDefrag = [&](TMaxMem&) {
            if (c.throw_at_event == event++) throw std::runtime_error("handler");
        };
        mem->OnProgress = [&](TMaxMem&, std::int32_t) {
            if (c.throw_at_event == event++) throw std::runtime_error("handler");
        };
        mem->OnAfterDefrag = [&](TMaxMem&) { ++afters; };
        EXPECT_THROW(mem->RunDefrag(4), std::runtime_error);
        EXPECT_EQ(afters, 1);
        EXPECT_EQ(blocks.committed.size(), c.committed);
        expect_clean();

        mem->OnBeforeDefrag = nullptr;
        mem->OnProgress = nullptr;
        blocks = FakeBlocks{};
        mem->RunDefrag(1);  // the optimizer is usable again
        EXPECT_EQ(blocks.committed.size(), 1u);
        EXPECT_EQ(afters, 2);
    }
}

TEST_F(MaxMemTest, TotalMemoryIsTakenOnceAndFreeMemoryOnEveryRead) {
    const int reads_at_construction = status.reads;
    EXPECT_EQ(mem->TotalMemory(), 6ull << 30);  // beyond 32 bits
    status.status.total_phys = 1;
    status.status.avail_phys = 5ull << 30;
    EXPECT_EQ(mem->TotalMemory(), 6ull << 30);
    EXPECT_EQ(mem->FreeMemory(), 5ull << 30);
    status.status.avail_phys = 123;
    EXPECT_EQ(mem->FreeMemory(), 123u);
    EXPECT_EQ(status.reads, reads_at_construction + 2);
}

TEST(ProgressPercent, ExtendedRoundingAtApparentHalves) {
    struct Case {
        std::int32_t done, steps, expected;
    };
    // 59/200 rounds just below 0.295 in extended (double would give 30); 23/40 is an exact 57.5 (double: 57).
    const Case cases[] = {{59, 200, 29}, {23, 40, 58}, {1, 8, 12}, {3, 8, 38}, {5, 8, 62}, {7, 8, 88},
                          {1, 6, 17}, {5, 6, 83}, {0, 8, 0}, {1, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressPercent(c.done, c.steps), c.expected) << c.done << "/" << c.steps;
    }
}

TEST(ProgressPercent, EveryRunSizeEndsItsPhasesAtExactly50And100) {
    for (std::int32_t count = 1; count <= TMaxMem::MaxBlocks; ++count) {
        std::int32_t previous = 0;
        for (std::int32_t done = 1; done <= 2 * count; ++done) {
            const std::int32_t value = ProgressPercent(done, 2 * count);
            ASSERT_GE(value, previous) << count << " " << done;
            previous = value;
        }
        ASSERT_EQ(ProgressPercent(count, 2 * count), 50) << count;
        ASSERT_EQ(ProgressPercent(2 * count, 2 * count), 100) << count;
    }
}

#if defined(__i386__) || defined(__x86_64__)
// Windows starts every thread but the first with the x87 unit at 53-bit precision, and a DLL may set
// it so: the figures must not depend on it.
TEST(ProgressPercent, HoldsWhateverPrecisionTheX87UnitWasLeftIn) {
    const std::uint16_t original = qv::x87_control_word();
    const std::uint16_t double_precision = static_cast<std::uint16_t>((original & ~0x0F00) | 0x0200);
    qv::set_x87_control_word(double_precision);

    // The case is sensitive: computed plainly at this precision it comes out wrong.
    volatile long double done = 59, steps = 200;
    const long double plain = done / steps * 100.0L;
    const std::int32_t at_double = ProgressPercent(59, 200);
    const std::uint16_t after = qv::x87_control_word();
    qv::set_x87_control_word(original);

    EXPECT_EQ(plain, 29.5L) << "the unit really ran at 53 bits";
    EXPECT_EQ(at_double, 29);
    EXPECT_EQ(after, double_precision) << "the caller's control word comes back";

    std::int32_t in_new_thread = -1;
    std::thread([&] { in_new_thread = ProgressPercent(59, 200); }).join();
    EXPECT_EQ(in_new_thread, 29);
}
#endif

} // namespace
