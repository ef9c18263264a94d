#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "engine/support/position.h"
#include "threat_positions.h"

namespace korvane {
namespace {

using test::at;
using test::BoardState;
using test::expectUnchanged;
using test::setUp;

// Keeps what the root search reports; can stall at the start of the search.
class RecordingReporter final : public SearchReporter {
public:
    void searchStarted() override {
        ++starts;
        std::this_thread::sleep_for(stall);
    }
    void iterationFinished(const IterationReport& report) override { rows.push_back(report); }
    void principalVariation(const PvList& line) override { pv = line; }

    std::chrono::milliseconds stall{0};
    int starts = 0;
    std::vector<IterationReport> rows;
    PvList pv;
};

class SearchRoot : public ::testing::Test {
protected:
    void SetUp() override {
        ai->reporter = &reporter;
        ai->maxDepth = 8;
        ai->turnTimeout = 10'000;
    }
    void expectMove(ScoredMove m, ScoredMove expected) {
        EXPECT_EQ(m.x, expected.x);
        EXPECT_EQ(m.y, expected.y);
    }
    std::unique_ptr<AI> ai = std::make_unique<AI>();
    RecordingReporter reporter;
};

TEST_F(SearchRoot, EmptyBoardTakesTheCentreWithoutSearching) {
    for (int size : {15, 20}) {
        setUp(*ai, "", size);
        expectMove(ai->searchRoot(), at(size / 2, size / 2));
    }
    EXPECT_EQ(reporter.starts, 0);
    EXPECT_TRUE(reporter.rows.empty());
}

TEST_F(SearchRoot, FivePointIsPlayedAtOnce) {
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . O X X X X . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        O . . . . . . O . . . . . . O
    )");
    const BoardState before(*ai);
    const ScoredMove m = ai->searchRoot();
    expectMove(m, at(7, 1));
    EXPECT_EQ(m.score, kWin);
    ASSERT_EQ(reporter.rows.size(), 1u);
    EXPECT_EQ(reporter.rows[0].depth, 2);
    EXPECT_EQ(reporter.rows[0].value, kWin);
    EXPECT_EQ(reporter.rows[0].nodes, 1);
    expectUnchanged(*ai, before);
}

TEST_F(SearchRoot, SingleForcedMoveIsReportedOnceWithValueZero) {
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . X O O O o . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        X . . . X . . . . . . . . . X
    )");
    const BoardState before(*ai);
    const ScoredMove m = ai->searchRoot();
    expectMove(m, at(8, 1));
    EXPECT_EQ(m.score, 0);
    ASSERT_EQ(reporter.rows.size(), 1u);
    EXPECT_EQ(reporter.rows[0].value, 0);
    expectUnchanged(*ai, before);
}

TEST_F(SearchRoot, ProvenWinEndsTheDeepening) {
    setUp(*ai, test::kThreeFours);
    const BoardState before(*ai);
    const ScoredMove m = ai->searchRoot();
    ASSERT_EQ(reporter.rows.size(), 1u);
    EXPECT_GT(reporter.rows[0].value, kDecided);
    EXPECT_EQ(m.score, reporter.rows[0].value);
    EXPECT_EQ(reporter.pv.moves[0].x, m.x);
    expectUnchanged(*ai, before);
}

TEST_F(SearchRoot, DeadlineInTheFirstIterationGivesTheFirstCandidate) {
    setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . O . . . . . . . .
        . . . . . . X X . . . . . . .
        . . . . . . . O . . . . . . .
    )");
    const BoardState before(*ai);
    MoveList candidates;
    ai->generateMoves(candidates);

    // The shortest budget; the reporter holds the search past it before the first
    // iteration, whose first node then reads the clock (every 1000th node does).
    for (int i = 0; i < 999; ++i) ai->alphaBeta(0, -kInfinity, kInfinity);
    ai->turnTimeout = 0;
    reporter.stall = std::chrono::milliseconds(60);
    const ScoredMove m = ai->searchRoot();
    EXPECT_EQ(ai->abortSearch.load(), 1);
    EXPECT_TRUE(reporter.rows.empty());
    expectMove(m, candidates.moves[0]);
    EXPECT_TRUE(ai->isFree(m.x, m.y));
    expectUnchanged(*ai, before);
}

}  // namespace
}  // namespace korvane
