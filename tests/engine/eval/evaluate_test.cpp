#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/ai.h"
#include "engine/eval/cell_score.h"
#include "engine/eval/weights.h"
#include "engine/support/position.h"

namespace korvane {
namespace {

// Puts the process-wide weights and cell scores back as the test found them.
class WeightsGuard {
public:
    WeightsGuard() { std::memcpy(saved_, evalWeights, sizeof(saved_)); }
    ~WeightsGuard() {
        std::memcpy(evalWeights, saved_, sizeof(saved_));
        buildCellScore();
    }

private:
    int32_t saved_[kPatternCodes];
};

// Position of the cell (11 + dx, 11 + dy) in the order collectLineMoves visits the lines
// through (11, 11): directions 0..3, steps -4..4.
int visitRank(int dx, int dy) {
    for (int d = 0; d < kDirections; ++d)
        for (int k = -4; k <= 4; ++k)
            if (k * kDx[d] == dx && k * kDy[d] == dy) return d * 9 + k + 4;
    return -1;
}

int weightedSum(const AI& ai) {
    int sum = 0;
    for (int code = 1; code < kPatternCodes; ++code) {
        sum += (ai.patternCount[ai.who][code] - ai.patternCount[ai.opp][code]) * evalWeights[code];
    }
    return sum;
}

TEST(Evaluate, OwnFiveCompletionWinsOverTwoOpposingOnes) {
    auto ai = std::make_unique<AI>();
    test::setPosition(*ai, {
                               "XXXX......",
                               "..........",
                               ".OOOO.....",
                           });
    ASSERT_EQ(ai->who, BLACK);
    ASSERT_EQ(ai->patternCount[BLACK][Five], 1);
    ASSERT_EQ(ai->patternCount[WHITE][Five], 2);
    ai->ply = 3;
    EXPECT_EQ(ai->evaluate(), kWin - 3);
}

TEST(Evaluate, TwoOpposingFiveCompletionsLose) {
    auto ai = std::make_unique<AI>();
    test::setPosition(*ai,
                      {
                          ".OOOO.....",
                          "..........",
                          "..XX......",
                      },
                      kBorder, kBorder, BLACK);
    ASSERT_EQ(ai->patternCount[BLACK][Five], 0);
    ai->ply = 5;
    EXPECT_EQ(ai->evaluate(), 5 - kWin);
}

TEST(Evaluate, OpenFourPointAgainstOneFiveCompletionIsNotAWin) {
    auto ai = std::make_unique<AI>();
    test::setPosition(*ai, {
                               "OOOO......",
                               "..........",
                               "...XXX....",
                               "..........",
                               "X.........",
                           });
    ASSERT_EQ(ai->who, BLACK);
    ASSERT_GT(ai->patternCount[BLACK][Live4], 0);
    ASSERT_EQ(ai->patternCount[BLACK][Five], 0);
    ASSERT_EQ(ai->patternCount[WHITE][Five], 1);
    EXPECT_EQ(ai->evaluate(), weightedSum(*ai));
    EXPECT_LT(std::abs(ai->evaluate()), kDecided);

    // Without the opposing five completion the open-four point wins.
    ai->unmakeMove(ai->history.moves[ai->history.last].x, ai->history.moves[ai->history.last].y);
    ai->makeMove(7, 16);  // elsewhere, instead of the fourth O
    ASSERT_EQ(ai->patternCount[WHITE][Five], 0);
    ai->ply = 2;
    EXPECT_EQ(ai->evaluate(), kWin - 2);
}

TEST(Evaluate, WeightedSumOfCountsIsClampedBelowDecidedScores) {
    WeightsGuard guard;
    auto ai = std::make_unique<AI>();
    std::memset(ai->patternCount, 0, sizeof(ai->patternCount));
    ai->patternCount[ai->who][Live3l] = 1;
    ai->patternCount[ai->opp][Live2b] = 1;
    EXPECT_EQ(ai->evaluate(), 15 - 1);

    evalWeights[Live3l] = INT_MAX;
    ai->patternCount[ai->who][Live3l] = 3;
    EXPECT_EQ(ai->evaluate(), kDecided);
    std::swap(ai->who, ai->opp);
    EXPECT_EQ(ai->evaluate(), -kDecided);
}

TEST(CellScore, TablesFollowTheirWeights) {
    WeightsGuard guard;
    std::make_unique<AI>();  // builds the tables if no engine has yet
    const int live4Only = cellIndex(Live4);
    EXPECT_EQ(live4Only, 8000);
    EXPECT_EQ(cellScore[live4Only], 60);
    EXPECT_EQ(fixedCellScore[live4Only], 30);
    EXPECT_EQ(cellIndex(0x09070301u), 3 * 100 + 7 * 10 + 9 + 1000);
    EXPECT_EQ(fixedCellScore[9999], 160);

    evalWeights[Live4] = 100;
    evalWeights[Five] = INT_MAX;  // sums wrap in 32 bits
    buildCellScore();
    EXPECT_EQ(cellScore[live4Only], 130);
    EXPECT_EQ(fixedCellScore[live4Only], 30);
    EXPECT_EQ(cellScore[9999], int32_t(uint32_t(160) + 4u * uint32_t(INT_MAX)));
    EXPECT_EQ(fixedCellScore[9999], 160);
}

TEST(BoardQueries, FindFivePointLooksAlongTheStoneLinesForAnyFiveDirection) {
    auto ai = std::make_unique<AI>();
    test::setPosition(*ai, {
                               ".O......",
                               "..O.....",
                               "...O....",
                               "....O...",
                               "X.X.X...",
                           });
    // (9, 8) completes O's diagonal; a stone at (12, 8) reaches it only along its row.
    ScoredMove out{1, 2, 3};
    ai->findFivePoint(WHITE, 0, out);  // the X stone at (4, 8): nothing within reach
    EXPECT_EQ(out.x, 1);
    EXPECT_EQ(out.y, 2);
    EXPECT_EQ(out.score, 3);
    ai->findFivePoint(BLACK, 0, out);  // X has no five completion at all
    EXPECT_EQ(out.x, 1);

    ASSERT_EQ(ai->who, BLACK);
    ai->makeMove(12, 8);
    ai->findFivePoint(WHITE, ai->history.last, out);
    EXPECT_EQ(out.x, 9);
    EXPECT_EQ(out.y, 8);
    EXPECT_EQ(out.score, 3);
}

TEST(BoardQueries, FindPatternCellTakesTheFirstCandidateRowByRow) {
    auto ai = std::make_unique<AI>();
    ai->makeMove(11, 11);
    ScoredMove out{1, 2, 3};
    ai->findPatternCell(BLACK, Live4, out);
    ai->findPatternCell(WHITE, live2l, out);
    ai->findPatternCell(BLACK, Sleep2, out);  // four steps away: no neighbour, outside the box
    EXPECT_EQ(out.x, 1);
    EXPECT_EQ(out.y, 2);
    ai->findPatternCell(BLACK, Live2b, out);  // three steps away: (8, 8), (11, 8), (14, 8), ...
    EXPECT_EQ(out.x, 8);
    EXPECT_EQ(out.y, 8);
    EXPECT_EQ(out.score, 3);
}

TEST(BoardQueries, CollectLineMovesScoresForTheSideToMoveAndKeepsVisitingOrderOnTies) {
    auto ai = std::make_unique<AI>();
    ai->makeMove(11, 11);
    LineMoveList list;
    list.last = 7;
    ai->collectLineMoves(BLACK, Live3l, 0, list);
    EXPECT_EQ(list.last, -1);

    // White is to move and has no codes near the lone stone: every score is 0, and the
    // cells at distance 1 and 2 come in visiting order (directions 0..3, back to front).
    ai->collectLineMoves(BLACK, live2l, 0, list);
    ASSERT_EQ(list.size(), 16);
    int i = 0;
    for (int d = 0; d < kDirections; ++d) {
        for (int k : {-2, -1, 1, 2}) {
            EXPECT_EQ(list.moves[i].x, 11 + k * kDx[d]) << i;
            EXPECT_EQ(list.moves[i].y, 11 + k * kDy[d]) << i;
            EXPECT_EQ(list.moves[i].score, 0) << i;
            ++i;
        }
    }

    // With White's stone beside it, the cells White can use score higher and come first.
    ai->makeMove(12, 12);
    ai->makeMove(5, 17);  // Black elsewhere: White to move again
    ai->collectLineMoves(BLACK, live2l, 0, list);
    ASSERT_GT(list.size(), 1);
    for (int j = 0; j < list.size(); ++j) {
        const Cell& cell = ai->cells[list.moves[j].y][list.moves[j].x];
        int expected = 0;
        for (int d = 0; d < kDirections; ++d) expected += defaultWeights[cell.pattern(WHITE, d)];
        EXPECT_EQ(list.moves[j].score, expected) << j;
        if (j == 0) continue;
        const ScoredMove& a = list.moves[j - 1];
        const ScoredMove& b = list.moves[j];
        EXPECT_GE(a.score, b.score) << j;
        if (a.score == b.score) {
            EXPECT_LT(visitRank(a.x - 11, a.y - 11), visitRank(b.x - 11, b.y - 11)) << j;
        }
    }
    EXPECT_GT(list.moves[0].score, list.moves[list.last].score);
}

}  // namespace
}  // namespace korvane
