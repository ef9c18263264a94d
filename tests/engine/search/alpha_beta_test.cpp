#include <gtest/gtest.h>

#include "engine/support/position.h"

namespace korvane {
namespace {

using test::BoardState;
using test::expectUnchanged;
using test::setUp;

// X to move; no threats. The first three moves of the list are worth 93, 94 and 143.
constexpr std::string_view kQuiet = R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . O . . .
    . . . . . . X X . O
)";

class AlphaBeta : public ::testing::Test {
protected:
    void SetUp() override {
        setUp(*ai, kQuiet);
        ai->deadline = INT64_MAX;
    }
    HashEntry& slot() { return ai->hashTable[ai->hashKey & ai->hashMask]; }
    MoveList generate() {
        MoveList list;
        ai->generateMoves(list);
        return list;
    }
    // The value of the move for the side to move, one ply deep.
    int childValue(ScoredMove m) {
        ai->makeMove(m.x, m.y);
        const int v = -ai->alphaBeta(0, -kInfinity, kInfinity);
        ai->unmakeMove(m.x, m.y);
        return v;
    }
    std::unique_ptr<AI> ai = std::make_unique<AI>();
};

TEST_F(AlphaBeta, ExactEntryIsReturnedBeforeAnyOtherWork) {
    // X can complete five: without an entry the four-threat check settles the node.
    setUp(*ai, R"(
        . . . . . . . . . .
        . . . O X X X x . .
        . . . . . . . . . .
        . . O . . O . . o .
    )");
    const BoardState before(*ai);
    EXPECT_EQ(ai->alphaBeta(0, -kInfinity, kInfinity), kWin);

    for (int stored : {0, 3}) {
        slot() = {ai->tableKey(), int8_t(stored), Exact, 0, 0, 1234};
        const int64_t nodes = ai->searchNodes, threats = ai->threatNodes;
        EXPECT_EQ(ai->alphaBeta(stored == 0 ? 0 : 2, -kInfinity, kInfinity), 1234);
        EXPECT_EQ(ai->searchNodes, nodes + 1);
        EXPECT_EQ(ai->threatNodes, threats);
    }
    expectUnchanged(*ai, before);
}

TEST_F(AlphaBeta, BoundEntriesCutOnlyOutsideTheWindow) {
    const BoardState before(*ai);
    const int searched = ai->alphaBeta(1, -1000, 1000);
    ASSERT_EQ(searched, 143);
    ai->clearHashTable();

    struct Case {
        Bound bound;
        int value;
        int expected;
    };
    const Case cases[] = {
        {UpperBound, -1000, -1000},  // at most alpha: the entry's value
        {LowerBound, 1200, 1000},    // at least beta: beta
        {UpperBound, 500, searched},
        {LowerBound, -500, searched},
    };
    for (const Case& c : cases) {
        slot() = {ai->tableKey(), 1, c.bound, 0, 0, c.value};
        EXPECT_EQ(ai->alphaBeta(1, -1000, 1000), c.expected) << int(c.bound) << " " << c.value;
        // A searched node replaces the entry of equal depth; a cut leaves it.
        EXPECT_EQ(slot().value, c.expected == searched ? searched : c.value);
    }
    expectUnchanged(*ai, before);
}

TEST_F(AlphaBeta, DeeperEntryOfTheSamePositionIsKeptOthersAreReplaced) {
    const BoardState before(*ai);
    slot() = {ai->tableKey() ^ 1, 50, Exact, 0, 0, 7};
    ai->alphaBeta(1, -kInfinity, kInfinity);
    EXPECT_EQ(slot().key, ai->tableKey());
    EXPECT_EQ(slot().depth, 1);

    slot() = {ai->tableKey(), 5, UpperBound, 9, 9, 500};
    ai->alphaBeta(1, -kInfinity, kInfinity);
    EXPECT_EQ(slot().depth, 5);
    EXPECT_EQ(slot().value, 500);
    EXPECT_EQ(slot().moveX, 9);
    expectUnchanged(*ai, before);
}

TEST_F(AlphaBeta, AllMovesFailingLowStoreAlphaWithTheFirstMove) {
    const BoardState before(*ai);
    const ScoredMove first = generate().moves[0];
    EXPECT_EQ(ai->alphaBeta(1, 5000, 5001), 5000);
    EXPECT_EQ(slot().key, ai->tableKey());
    EXPECT_EQ(slot().bound, UpperBound);
    EXPECT_EQ(slot().value, 5000);
    EXPECT_EQ(slot().depth, 1);
    EXPECT_EQ(slot().moveX, first.x);
    EXPECT_EQ(slot().moveY, first.y);
    expectUnchanged(*ai, before);
}

TEST_F(AlphaBeta, CutByTheThirdMoveStoresTheSecond) {
    const BoardState before(*ai);
    const MoveList list = generate();
    const int v0 = childValue(list.moves[0]);
    const int v1 = childValue(list.moves[1]);
    const int v2 = childValue(list.moves[2]);
    ASSERT_LT(v0, v1);
    ASSERT_LT(v1, v2);

    // The first move fails low, the second raises alpha, the third reaches beta.
    EXPECT_EQ(ai->alphaBeta(1, v0, v2), v2);
    EXPECT_EQ(slot().bound, LowerBound);
    EXPECT_EQ(slot().value, v2);
    EXPECT_EQ(slot().moveX, list.moves[1].x);
    EXPECT_EQ(slot().moveY, list.moves[1].y);
    expectUnchanged(*ai, before);
}

TEST_F(AlphaBeta, ForcedBlockIsTheOnlyMoveSearched) {
    // O's four leaves X one move; X has nothing to win with.
    setUp(*ai, R"(
        . . . . . . . . . .
        . . . X O O O o . .
        . . . . . . . . . .
        . . . . . . . . . .
        X . . . X . . . . X
    )");
    const BoardState before(*ai);
    ai->alphaBeta(1, -kInfinity, kInfinity);
    EXPECT_EQ(ai->searchNodes, 2);
    expectUnchanged(*ai, before);
}

TEST_F(AlphaBeta, DeadlineAbortReturnsZeroAndRestoresTheBoard) {
    const BoardState before(*ai);
    ai->deadline = -1;
    EXPECT_EQ(ai->alphaBeta(4, -kInfinity, kInfinity), 0);
    EXPECT_EQ(ai->abortSearch.load(), 1);
    // Once aborted, every call returns at once.
    EXPECT_EQ(ai->alphaBeta(4, -kInfinity, kInfinity), 0);
    expectUnchanged(*ai, before);
}

}  // namespace
}  // namespace korvane
