#include "base/unique_handle.h"

#include <gtest/gtest.h>

namespace {

int closes = 0;
int last_closed = 0;
void count_close(int value) {
    ++closes;
    last_closed = value;
}
using Owner = qv::UniqueHandle<int, count_close, -1>;

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { closes = 0; }
};

TEST_F(UniqueHandleTest, ClosesExactlyOnceThroughMovesAndResets) {
    {
        Owner a(7);
        Owner b(std::move(a));
        EXPECT_FALSE(a);
        Owner c;
        c = std::move(b);
        EXPECT_EQ(closes, 0);
        c.reset(9);  // replacing closes the old handle at once
        EXPECT_EQ(closes, 1);
        EXPECT_EQ(last_closed, 7);
    }
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(last_closed, 9);
}

TEST_F(UniqueHandleTest, InvalidValueAndReleaseAreNeverClosed) {
    { Owner empty; Owner invalid(-1); }
    {
        Owner released(5);
        EXPECT_EQ(released.release(), 5);
    }
    Owner self(3);
    auto& alias = self;
    self = std::move(alias);  // self-move keeps the handle
    EXPECT_EQ(self.get(), 3);
    EXPECT_EQ(closes, 0);
}

} // namespace
