#include "engine/search/pro/pro_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "engine/search/threat_positions.h"
#include "engine/support/position.h"

namespace korvane {
namespace {

using test::at;

class ProSearchTest : public ::testing::Test {
protected:
    void SetUp() override { ai->showMessages = 0; }
    // Searches `diagram`, or the position already set up.
    ScoredMove choose(std::optional<std::string_view> diagram) {
        if (diagram) test::setUp(*ai, *diagram);
        ai->ply = ai->maxPly = 0;
        pro.newGame();
        const test::BoardState before(*ai);
        const ScoredMove m = pro.chooseMove(*ai);
        test::expectUnchanged(*ai, before);
        return m;
    }
    std::unique_ptr<AI> ai = std::make_unique<AI>();
    ProSearch pro;
};

TEST_F(ProSearchTest, PlaysTheFirstFourOfAWinByFours) {
    const ScoredMove m = choose(test::kThreeFours);
    EXPECT_EQ(m.x, at(7, 7).x);
    EXPECT_EQ(m.y, at(7, 7).y);
    EXPECT_EQ(m.score, kWin - 7);  // three fours, three blocks, the five
}

TEST_F(ProSearchTest, PlaysTheFirstMoveOfAWinByThrees) {
    const ScoredMove m = choose(test::kFourThenDoubleThree);
    EXPECT_EQ(m.x, at(7, 7).x);
    EXPECT_EQ(m.y, at(7, 7).y);
    EXPECT_GT(m.score, kDecided);
}

TEST_F(ProSearchTest, ALostPositionIsSeenAsLostAndStillGetsAMove) {
    const ScoredMove m = choose(test::kDoubleThreePlayed);
    EXPECT_TRUE(ai->isFree(m.x, m.y));
    EXPECT_LT(m.score, -kDecided);
}

// Found by self-play: X wins by fours with (7,7) or (11,7), but the route needs fours on
// lines that do not pass through the attacker's previous four, which the quick search
// along the latest fours never tries.
TEST_F(ProSearchTest, WinsByFoursAwayFromTheLinesOfThePreviousFour) {
    test::setUp(*ai, R"(
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . O . X . . . .
        . . . . . . . . X O . X X . O . . . . .
        . . . . . . . x . X O X O O . . . . . .
        . . . . . . . . . O X X O . . . . . . .
        . . . . . . . X X O X O O . . . . . . .
        . . . . . . . . O o X X X O . . . . . .
        . . . . . . . . . . . . . . . . . . . .
        . . . . . . . . . . O . . . . . . . . .
    )",
                20);
    ai->deadline = INT64_MAX;
    EXPECT_EQ(ai->vcfProbe(), 0);
    const ScoredMove m = choose(std::nullopt);
    EXPECT_TRUE((m.x == at(7, 7).x || m.x == at(11, 7).x) && m.y == at(7, 7).y);
    EXPECT_GT(m.score, kDecided);
}

// (8,7) makes a four on row 7 and an open three on column 8: a win in five plies, unless
// O's forced block at (9,7) is itself a four (diagonal 9,7-12,4), which X must answer
// before it can open the three.
TEST_F(ProSearchTest, ACounterFourRefutesAFourThree) {
    constexpr std::string_view kFourThree = R"(
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
    )";
    EXPECT_EQ(choose(kFourThree).score, kWin - 5);
    constexpr std::string_view kCounterFour = R"(
        O . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . O . .
        . . . . . . . . . . . O . . .
        . . . . . . . . . . O . . . .
        . . . . O X X X . . . . . . .
        . . . . . . . . X . . . . . .
        . . . . . . . . X . . . . . .
    )";
    EXPECT_LT(choose(kCounterFour).score, kWin - 5);
}

// Found by self-play: X has no four-led win, but wins by threes and fours in more than
// four attacking moves, starting with (10,7), (6,9), (9,8), (7,9) or (7,10).
TEST_F(ProSearchTest, WinsByThreesBeyondFourAttackingMoves) {
    test::setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . O . . o . . . .
        . . . . . . O . O x . . . . .
        . . . . . . O X X X . . . . .
        . . . . . . . X . . . . . . .
    )");
    ai->deadline = INT64_MAX;
    EXPECT_EQ(ai->vctProbe(kVctProofDepth), 0);
    const ScoredMove m = choose(std::nullopt);
    const ScoredMove wins[] = {at(10, 7), at(6, 9), at(9, 8), at(7, 9), at(7, 10)};
    const bool listed = std::any_of(std::begin(wins), std::end(wins),
                                    [m](ScoredMove w) { return w.x == m.x && w.y == m.y; });
    EXPECT_TRUE(listed) << m.x - kBorder << "," << m.y - kBorder;
    EXPECT_GT(m.score, kDecided);
    EXPECT_LT(m.score, kWin - 9);  // more than four attacking moves
}

}  // namespace
}  // namespace korvane
