#include <gtest/gtest.h>

#include "engine/support/position.h"
#include "threat_positions.h"

namespace korvane {
namespace {

using test::BoardState;
using test::expectUnchanged;
using test::setUp;

class Vct : public ::testing::Test {
protected:
    void SetUp() override { ai->deadline = INT64_MAX; }
    std::unique_ptr<AI> ai = std::make_unique<AI>();
};

TEST_F(Vct, WinThatNeedsAThreeAmongTheFours) {
    setUp(*ai, test::kFourThenDoubleThree);
    const BoardState before(*ai);
    EXPECT_EQ(ai->vcfProbe(), 0);
    // Four, block, double three: every defence loses.
    EXPECT_EQ(ai->vctProbe(20), kWin - 3);
    expectUnchanged(*ai, before);
}

TEST_F(Vct, DefenceAgainstThrees) {
    struct Case {
        const char* name;
        std::string_view diagram;
        int expected;
    };
    const Case cases[] = {
        {"one open three is blocked", R"(
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . X X x . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            O . . . . . . . . . . . . . O
        )",
         0},
        {"two open threes cannot both be stopped", test::kDoubleThreePlayed, -1},
        {"the defender's open three wins first", R"(
            X . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . X X x . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . O O O . .
            . . . . . . . . . . . . . . .
        )",
         2},
        // O's two closed threes give four four-entries: the attack is given up.
        {"the defender has four fours", R"(
            . . . . . . . . . . . . . . .
            X O O O . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . O X X X X O . . . . . .
            . . . . . . . . x X X . . . .
            . . . . . . . . . X . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            X O O O . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . O
        )",
         0},
    };
    for (const Case& c : cases) {
        setUp(*ai, c.diagram);
        const BoardState before(*ai);
        EXPECT_EQ(ai->vctDefend(20), c.expected) << c.name;
        expectUnchanged(*ai, before);
    }
    EXPECT_EQ(ai->patternCount[WHITE][Sleep4], 4);
}

TEST_F(Vct, ProbesReportImmediateResults) {
    // Budget 0 proves only what needs no move of the attacker's own; the four-threat
    // search answers the opponent's single five point on its own.
    struct Case {
        const char* name;
        std::string_view diagram;
        int vcf, vct0, vct20;
    };
    const Case cases[] = {
        {"own five point", R"(
            . . . . . . . . . . . . . . .
            . . O X X X X . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            O . . . . . . O . . . . . . O
        )",
         kWin - 2, kWin - 2, kWin - 2},
        {"two five points of the opponent", R"(
            . . . . . . . . . . . . . . .
            . . . . O O O O . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            X . . . X . . . X . . . . . X
        )",
         -(kWin - 2 - 2), -(kWin - 2), -(kWin - 2)},
        {"one five point of the opponent", test::kLostAfterFour, -(kWin - 2 - 6), -(kWin - 2 - 6),
         -(kWin - 2 - 6)},
        {"own open-four point", R"(
            . . . . . . . . . . . . . . .
            . . . . X X X . . . . . . . .
            . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . .
            O . . . . . . O . . . . . . O
        )",
         kWin - 1 - 2, kWin - 1 - 2, kWin - 1 - 2},
        {"a win by fours", test::kThreeFours, kWin - 2 - 6, 0, kWin - 2 - 6},
    };
    for (const Case& c : cases) {
        setUp(*ai, c.diagram);
        ai->ply = 2;
        const BoardState before(*ai);
        EXPECT_EQ(ai->vcfProbe(), c.vcf) << c.name;
        EXPECT_EQ(ai->vctProbe(0), c.vct0) << c.name;
        EXPECT_EQ(ai->vctProbe(20), c.vct20) << c.name;
        expectUnchanged(*ai, before);
    }
}

}  // namespace
}  // namespace korvane
