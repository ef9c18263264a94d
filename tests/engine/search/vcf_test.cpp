#include <gtest/gtest.h>

#include "engine/support/position.h"
#include "threat_positions.h"

namespace korvane {
namespace {

using test::at;
using test::BoardState;
using test::expectUnchanged;
using test::setUp;

class Vcf : public ::testing::Test {
protected:
    void SetUp() override { ai->deadline = INT64_MAX; }
    std::unique_ptr<AI> ai = std::make_unique<AI>();
};

TEST_F(Vcf, WinsByThreeFoursEndingInFive) {
    setUp(*ai, test::kThreeFours);
    const BoardState before(*ai);
    // Three fours, three blocks and the five: 10000 - 6; one attack and one defence
    // node per four, nothing else tried.
    EXPECT_EQ(ai->vcfProbe(), 9994);
    EXPECT_EQ(ai->threatNodes, 6);
    expectUnchanged(*ai, before);
}

TEST_F(Vcf, WinsByAFourThatOpensAThree) {
    // (8,7) is a four on the row and an open three on the column; after O's block
    // at (9,7), X has an open-four point.
    setUp(*ai, R"(
        O . . . . . . . . . . . . . O
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . O X X X . . . . . . .
        . . . . . . . . X . . . . . .
        . . . . . . . . X . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        O . . . . . . . . . . . . . O
    )");
    const BoardState before(*ai);
    EXPECT_EQ(ai->vcfProbe(), 9998);
    expectUnchanged(*ai, before);
}

TEST_F(Vcf, BlockThatMakesAFourSwapsTheRoles) {
    // X's four (7,7) is blocked at (8,7), which makes O's column four (five point
    // 8,8) and O's open diagonal three. X must block, and O makes an open four.
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . O X X X x . . . . . . .
        . . . . . . X . . O . . . . .
        . . . . . . . . O . O . . . .
        . . . . . . . . O . . . . . .
        . . . . . . . . O . . . . . .
        . . . . . . . . X . . . . . .
        . . . . . . . . . . . . . . .
        X . . . . . . . . . . . . . .
    )");
    const BoardState before(*ai);
    // The defender wins: block (8,7), X's block (8,8), O's open-four point.
    EXPECT_EQ(ai->vcfDefend(), 3);
    ai->unmakeMove(at(7, 7).x, at(7, 7).y);
    // So the four is no win for X.
    EXPECT_EQ(ai->vcfProbe(), 0);
    ai->makeMove(at(7, 7).x, at(7, 7).y);
    expectUnchanged(*ai, before);
}

TEST_F(Vcf, FourWithNothingElseOnItsCellIsNotTried) {
    // The fours (8,7) and (9,7) score 21: they make no other shape.
    setUp(*ai, R"(
        O . . . . . . . . . . . . . O
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . O X X X . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        X . . . . . . . . . . . . . O
    )");
    EXPECT_EQ(ai->vcfProbe(), 0);
    EXPECT_EQ(ai->threatNodes, 0);

    // With X on (9,9), the four (9,7) also makes a two on the column: it is tried.
    setUp(*ai, R"(
        O . . . . . . . . . . . . . O
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . O X X X . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . X . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . O
    )");
    const BoardState before(*ai);
    EXPECT_EQ(ai->vcfProbe(), 0);
    EXPECT_GT(ai->threatNodes, 0);
    expectUnchanged(*ai, before);
}

TEST_F(Vcf, LossAfterTheForcedBlockIsScoredFromThePly) {
    setUp(*ai, test::kLostAfterFour);
    const BoardState before(*ai);
    // O blocks, then X wins by two more fours: r = -6.
    EXPECT_EQ(ai->vcfProbe(), -(kWin - 6));
    ai->ply = 3;
    EXPECT_EQ(ai->vcfProbe(), -(kWin - 3 - 6));
    ai->ply = 0;
    expectUnchanged(*ai, before);
}

}  // namespace
}  // namespace korvane
