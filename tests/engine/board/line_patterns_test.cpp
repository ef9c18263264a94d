#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "engine/ai.h"
#include "engine/support/position.h"
#include "engine/support/rule_tables.h"

namespace korvane {
namespace {

// A random free cell: mostly inside the candidate box, where lines fill up and
// patterns of every code arise, sometimes anywhere, so that edges get stones too.
std::pair<int, int> randomFreeCell(const AI& ai, std::mt19937& rng) {
    const bool nearStones = ai.history.last >= 0 && rng() % 5 != 0;
    const int x0 = nearStones ? ai.xMin : kBorder, x1 = nearStones ? ai.xMax : ai.limit;
    const int y0 = nearStones ? ai.yMin : kBorder, y1 = nearStones ? ai.yMax : ai.limit;
    for (int attempt = 0; attempt < 64; ++attempt) {
        const int x = x0 + int(rng() % unsigned(x1 - x0));
        const int y = y0 + int(rng() % unsigned(y1 - y0));
        if (ai.isFree(x, y)) return {x, y};
    }
    for (int y = kBorder; y < ai.limit; ++y)
        for (int x = kBorder; x < ai.limit; ++x)
            if (ai.isFree(x, y)) return {x, y};
    return {0, 0};
}

class RandomPlay : public testing::TestWithParam<int> {};

// Games of random length with random takebacks; the derived state (line words, codes,
// counts, neighbours, box, key) must match a rebuild from the stones after every step.
TEST_P(RandomPlay, DerivedStateMatchesRebuildAfterEveryMoveAndTakeback) {
    const int size = GetParam();
    auto ai = std::make_unique<AI>();
    ai->limit = size + kBorder;
    std::mt19937 rng(size);
    int fivesSeen = 0;
    for (int game = 0; game < 300; ++game) {
        ai->resetGame();
        const int length = 1 + int(rng() % unsigned(std::min(60, size * size)));
        while (ai->history.last + 1 < length) {
            if (ai->history.last >= 0 && rng() % 4 == 0) {
                const ScoredMove last = ai->history.moves[ai->history.last];
                ai->unmakeMove(last.x, last.y);
            } else {
                const auto [x, y] = randomFreeCell(*ai, rng);
                ai->makeMove(x, y);
            }
            ASSERT_TRUE(ai->isConsistent()) << "size " << size << " game " << game;
        }
        fivesSeen += ai->patternCount[BLACK][Five] + ai->patternCount[WHITE][Five];
    }
    EXPECT_GT(fivesSeen, 0) << "the games never reached a four";
}

INSTANTIATE_TEST_SUITE_P(BoardSizes, RandomPlay, testing::Values(9, 15, 24));

TEST(LinePatterns, LoneStoneMakesTwosAlongItsFourLines) {
    auto ai = std::make_unique<AI>();
    ai->makeMove(11, 11);
    const int byDistance[] = {live2l, live2l, Live2b, Sleep2};
    for (int d = 0; d < kDirections; ++d) {
        for (int k = 1; k <= 4; ++k) {
            for (int side : {-1, 1}) {
                const Cell& cell = ai->cells[11 + side * k * kDy[d]][11 + side * k * kDx[d]];
                for (int other = 0; other < kDirections; ++other) {
                    EXPECT_EQ(cell.pattern(BLACK, other), other == d ? byDistance[k - 1] : None)
                        << "direction " << d << " step " << side * k << " code direction " << other;
                    EXPECT_EQ(cell.pattern(WHITE, other), None);
                }
            }
        }
    }
    const int32_t black[kPatternCodes] = {0, 8, 8, 16, 0, 0, 0, 0, 0, 0};
    for (int code = 1; code < kPatternCodes; ++code) {
        EXPECT_EQ(ai->patternCount[BLACK][code], black[code]) << "code " << code;
        EXPECT_EQ(ai->patternCount[WHITE][code], 0) << "code " << code;
    }
}

TEST(LinePatterns, WallBlocksLikeAnOpposingStone) {
    auto ai = std::make_unique<AI>();
    ai->makeMove(5, 10);
    EXPECT_EQ(ai->cells[10][4].pattern(BLACK, 0), Sleep2);
    EXPECT_EQ(ai->cells[10][6].pattern(BLACK, 0), Live2b);
}

TEST(LinePatterns, StoneFiveOrMoreCellsAwayLeavesTheOtherSideAlone) {
    auto ai = std::make_unique<AI>();
    for (int colour : {BLACK, WHITE}) {
        for (int d = 0; d < kDirections; ++d) {
            for (int distance : {5, 6}) {
                ai->resetGame();
                ai->makeMove(11, 11);
                if (colour == BLACK) ai->makeMove(4, 5);  // off every line through (11, 11)
                Cell before[kGrid][kGrid];
                std::memcpy(before, ai->cells, sizeof(before));
                ai->makeMove(11 + distance * kDx[d], 11 + distance * kDy[d]);
                for (int k = 1; k <= 4; ++k) {
                    const int x = 11 - k * kDx[d], y = 11 - k * kDy[d];
                    EXPECT_EQ(std::memcmp(&before[y][x], &ai->cells[y][x], sizeof(Cell)), 0)
                        << "colour " << colour << " direction " << d << " distance " << distance
                        << " cell " << x << "," << y;
                }
            }
        }
    }
}

TEST(LinePatterns, CellCompletingTwoFivesCountsTwice) {
    auto ai = std::make_unique<AI>();
    test::setPosition(*ai, {
                               "....X",
                               "....X",
                               "....X",
                               "....X",
                               "XXXX.",
                           });
    const Cell& point = ai->cells[8][8];
    EXPECT_EQ(point.pattern(BLACK, 0), Five);
    EXPECT_EQ(point.pattern(BLACK, 1), Five);
    EXPECT_EQ(ai->patternCount[BLACK][Five], 2);
    EXPECT_TRUE(ai->isConsistent());
}

TEST(LinePatterns, ReplayedStonesFollowTheNewRule) {
    auto ai = std::make_unique<AI>();
    test::setPosition(*ai, {"XXX.XX"}, kBorder, 10);
    ASSERT_EQ(ai->cells[10][7].pattern(BLACK, 0), Five);
    const HistoryList stones = ai->history;
    const uint64_t key = ai->hashKey;
    ai->ply = 3;

    test::RuleTables exactFive(1);
    EXPECT_FALSE(ai->isConsistent()) << "codes still follow the free-style table";
    ai->replayStones();
    EXPECT_TRUE(ai->isConsistent());
    EXPECT_EQ(ai->cells[10][7].pattern(BLACK, 0), None);
    EXPECT_EQ(ai->patternCount[BLACK][Five], 0);
    EXPECT_EQ(ai->hashKey, key);
    EXPECT_EQ(ai->ply, 3);
    ASSERT_EQ(ai->history.last, stones.last);
    for (int i = 0; i <= stones.last; ++i) {
        EXPECT_EQ(ai->history.moves[i].x, stones.moves[i].x);
        EXPECT_EQ(ai->history.moves[i].y, stones.moves[i].y);
    }
}

}  // namespace
}  // namespace korvane
