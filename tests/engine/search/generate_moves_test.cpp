#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine/eval/cell_score.h"
#include "engine/eval/weights.h"
#include "engine/support/position.h"

namespace korvane {
namespace {

using test::at;
using test::setUp;

class GenerateMoves : public ::testing::Test {
protected:
    MoveList generate() {
        MoveList list;
        ai->generateMoves(list);
        return list;
    }
    void expectSingle(const MoveList& list, ScoredMove expected) {
        ASSERT_EQ(list.last, 0);
        EXPECT_EQ(list.moves[0].x, expected.x);
        EXPECT_EQ(list.moves[0].y, expected.y);
        EXPECT_EQ(list.moves[0].score, expected.score);
    }
    std::unique_ptr<AI> ai = std::make_unique<AI>();
};

TEST_F(GenerateMoves, OwnFivePointComesBeforeEverything) {
    // O has an open four, but X completes five first.
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . O X X X x . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . O O O o . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        X . . . . . . . . . . . . . .
    )");
    expectSingle(generate(), {at(8, 2).x, at(8, 2).y, kWin});
}

TEST_F(GenerateMoves, OpponentFivePointsGiveTheBlockOrTheHopelessBlock) {
    // One five point: the block, verdict 0.
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . X O O O o . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        X . . . . . . X . . . . . . X
    )");
    expectSingle(generate(), {at(9, 4).x, at(9, 4).y, 0});

    // An open four: two five points, verdict -10000.
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . O O O o . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        X . . . . X . . . . X . . . X
    )");
    expectSingle(generate(), {at(4, 4).x, at(4, 4).y, -kWin});
}

TEST_F(GenerateMoves, OpenFourPointWins) {
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . X X X . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        O . . . . . . O . . . . . . O
    )");
    expectSingle(generate(), {at(4, 4).x, at(4, 4).y, kWin});
}

TEST_F(GenerateMoves, AgainstAnOpenThreeOnlyFourPointsAreListed) {
    // O's open three: open-four points (4,7), (8,7), four points (3,7), (9,7).
    // X's own four points: (7,10), (8,10). Nothing else may be listed.
    setUp(*ai, R"(
        X . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . O O O . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . O X X X . . . . . . . .
        . . . . . . . . . . . . . . .
    )");
    const MoveList list = generate();
    std::set<std::pair<int, int>> listed;
    for (int i = 0; i <= list.last; ++i) {
        listed.insert({list.moves[i].x - kBorder, list.moves[i].y - kBorder});
        EXPECT_EQ(list.moves[i].score == 800, i < 2) << "open-four points first, at 800";
    }
    const std::set<std::pair<int, int>> expected = {{4, 7}, {8, 7},  {3, 7},
                                                    {9, 7}, {7, 10}, {8, 10}};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(list.last, 5);
}

TEST_F(GenerateMoves, HashMoveComesFirst) {
    setUp(*ai, R"(
        . . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        . . . . X . . . .
        . . . . O X . . .
    )");
    const MoveList plain = generate();
    const ScoredMove weakest = plain.moves[plain.last];
    HashEntry& slot = ai->hashTable[ai->hashKey & ai->hashMask];

    // Another position's entry in the slot changes nothing.
    slot = {ai->tableKey() ^ 1, 1, Exact, int8_t(weakest.x), int8_t(weakest.y), 0};
    EXPECT_EQ(generate().moves[0].score, plain.moves[0].score);

    slot.key = ai->tableKey();
    const MoveList list = generate();
    EXPECT_EQ(list.moves[0].x, weakest.x);
    EXPECT_EQ(list.moves[0].y, weakest.y);
    EXPECT_EQ(list.moves[0].score, 2000);
    EXPECT_EQ(list.last, plain.last);
}

TEST_F(GenerateMoves, WidthShrinksWithPlyAndKeepsTheBest) {
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . X . . . . . . . O . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . O . . . . . . .
        . . . . . . . X . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . O . . . . . . . X . . .
    )");
    const MoveList root = generate();
    EXPECT_EQ(root.last, 64) << "more than 65 cells qualify; the root keeps 65";

    for (int ply : {10, 31, 32, 40}) {
        ai->ply = ply;
        const MoveList list = generate();
        EXPECT_EQ(list.size(), ply == 10 ? 45 : ply == 31 ? 3 : 1) << "ply " << ply;
        for (int i = 0; i <= list.last; ++i) {
            EXPECT_EQ(list.moves[i].x, root.moves[i].x);
            EXPECT_EQ(list.moves[i].y, root.moves[i].y);
        }
    }
}

TEST_F(GenerateMoves, EqualScoresKeepRowMajorOrder) {
    setUp(*ai, R"(
        . . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        . . . . X . . . .
    )");
    const MoveList list = generate();
    int ties = 0;
    for (int i = 1; i <= list.last; ++i) {
        const ScoredMove a = list.moves[i - 1], b = list.moves[i];
        ASSERT_GE(a.score, b.score);
        if (a.score != b.score) continue;
        ++ties;
        EXPECT_TRUE(a.y < b.y || (a.y == b.y && a.x < b.x));
    }
    EXPECT_GT(ties, 10);
}

TEST_F(GenerateMoves, FallsBackToOneMoveWhenEveryCellScoresZero) {
    // Weights that cancel the built-in ones make every cell score 0.
    int32_t saved[kPatternCodes];
    std::copy(evalWeights, evalWeights + kPatternCodes, saved);
    for (int code = 0; code < kPatternCodes; ++code) evalWeights[code] = -defaultWeights[code];
    buildCellScore();
    setUp(*ai, R"(
        . . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        . . . . X O . . .
    )");
    const MoveList list = generate();
    std::copy(saved, saved + kPatternCodes, evalWeights);
    buildCellScore();

    // The first cell of the box, (1,0), has code None for X in some direction.
    expectSingle(list, {at(1, 0).x, at(1, 0).y, 0});
}

TEST_F(GenerateMoves, LargeBoardWithManyCandidatesKeepsTheBestSorted) {
    // Stones every third cell of every third row of a 24 x 24 board: most of the
    // 576 cells qualify, more than a move list holds.
    ai->limit = kMaxSize + kBorder;
    ai->resetGame();
    for (int y = 0; y < kMaxSize; y += 3) {
        for (int x = y % 2; x < kMaxSize; x += 3) ai->makeMove(at(x, y).x, at(x, y).y);
    }
    ai->ply = 0;
    ASSERT_EQ(ai->patternCount[ai->who][Five] + ai->patternCount[ai->opp][Five], 0);
    const MoveList list = generate();
    ASSERT_EQ(list.last, 64);
    for (int i = 0; i <= list.last; ++i) {
        EXPECT_TRUE(ai->isFree(list.moves[i].x, list.moves[i].y));
        if (i > 0) {
            EXPECT_GE(list.moves[i - 1].score, list.moves[i].score);
        }
    }
    EXPECT_TRUE(ai->isConsistent());
}

}  // namespace
}  // namespace korvane
