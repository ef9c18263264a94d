#include "engine/search/pro/move_timer.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr int32_t kNoMatchClock = 1048575;

TEST(MoveTimer, TheHardLimitStaysInsideTheBudgetAndTheSoftLimitBeforeIt) {
    for (int32_t turn : {20, 100, 200, 1000, 5000}) {
        const MoveTimer t = MoveTimer::plan(1000, turn, kNoMatchClock, 0);
        EXPECT_EQ(t.start, 1000);
        EXPECT_LT(t.hard - t.start, turn) << turn;
        EXPECT_GE(t.hard - t.start, turn - 30) << turn;
        EXPECT_GT(t.soft, t.start) << turn;
        EXPECT_LT(t.soft - t.start, (t.hard - t.start) * 2 / 3) << turn;
    }
}

TEST(MoveTimer, TheMatchClockShortensTheMove) {
    // 15 s left in the match: a 5 s move would be too much.
    EXPECT_LE(MoveTimer::plan(0, 5000, 15000, 180000).budget(), 1000);
    // A match time but no time_left yet: the whole match is left.
    EXPECT_LE(MoveTimer::plan(0, 30000, kNoMatchClock, 60000).budget(), 4000);
    // Next to nothing left, or no limit at all: the shortest move still gets some time.
    EXPECT_GT(MoveTimer::plan(0, 5000, 0, 0).budget(), 0);
    EXPECT_GT(MoveTimer::plan(0, 0, kNoMatchClock, 0).budget(), 0);
}

}  // namespace
}  // namespace korvane
