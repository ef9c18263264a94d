#include "engine/search/pro/pro_search.h"

#include <gtest/gtest.h>

#include "engine/search/threat_positions.h"
#include "engine/support/position.h"

namespace korvane {
namespace {

using test::at;

class ProSearchTest : public ::testing::Test {
protected:
    void SetUp() override { ai->showMessages = 0; }
    ScoredMove choose(std::string_view diagram) {
        test::setUp(*ai, diagram);
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

}  // namespace
}  // namespace korvane
