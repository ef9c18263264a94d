#include <gtest/gtest.h>

#include "engine/support/position.h"
#include "threat_positions.h"

namespace korvane {
namespace {

using test::BoardState;
using test::expectUnchanged;
using test::setUp;

// Two lone stones: every routine returns at once, right after its clock check.
constexpr std::string_view kLoneStones = R"(
    . . . . . . . . .
    . . . . . . . . .
    . . . . . . . . .
    . . . . . . . X .
    . . . . . . . . .
    . . . . . . . . O
)";

struct Routine {
    const char* name;
    int period;                 // calls per clock reading of the routine `single` calls
    int (*search)(AI&);         // a search that calls that routine at least twice
    std::string_view position;  // where that search finds a result
    int (*single)(AI&);         // one call of that routine, on lone stones
};

const Routine kRoutines[] = {
    {"alphaBeta", 1000, [](AI& ai) { return ai.alphaBeta(2, -kInfinity, kInfinity); },
     test::kFourThenDoubleThree, [](AI& ai) { return ai.alphaBeta(0, -kInfinity, kInfinity); }},
    // The probes read the clock through the defender routines.
    {"vcfProbe", 2000, [](AI& ai) { return ai.vcfProbe(); }, test::kThreeFours,
     [](AI& ai) { return ai.vcfDefend(); }},
    {"vctProbe", 2000, [](AI& ai) { return ai.vctProbe(20); }, test::kFourThenDoubleThree,
     [](AI& ai) { return ai.vctDefend(1); }},
    {"vcfAttack", 2000, [](AI& ai) { return ai.vcfAttack(); }, test::kLostAfterFour,
     [](AI& ai) { return ai.vcfAttack(); }},
    {"vcfDefend", 2000, [](AI& ai) { return ai.vcfDefend(); }, test::kLostAfterFour,
     [](AI& ai) { return ai.vcfDefend(); }},
    {"vctAttack", 2000, [](AI& ai) { return ai.vctAttack(20); }, test::kLostAfterFour,
     [](AI& ai) { return ai.vctAttack(1); }},
    {"vctDefend", 2000, [](AI& ai) { return ai.vctDefend(20); }, test::kFourPlayedThenDoubleThree,
     [](AI& ai) { return ai.vctDefend(1); }},
};

class SearchClock : public ::testing::TestWithParam<Routine> {};

// With the deadline passed, the clock reading falls due inside the search: the
// routine returns 0 with the stop flag set and every move taken back.
TEST_P(SearchClock, DeadlineStopsTheSearchAndRestoresTheBoard) {
    const Routine& routine = GetParam();
    auto reference = std::make_unique<AI>();
    setUp(*reference, routine.position);
    reference->deadline = INT64_MAX;
    ASSERT_NE(routine.search(*reference), 0) << "the position must give a result in time";

    auto ai = std::make_unique<AI>();
    setUp(*ai, kLoneStones);
    ai->deadline = -1;
    for (int i = 0; i < routine.period - 2; ++i) routine.single(*ai);
    ASSERT_EQ(ai->abortSearch.load(), 0);

    setUp(*ai, routine.position);
    const BoardState before(*ai);
    EXPECT_EQ(routine.search(*ai), 0);
    EXPECT_EQ(ai->abortSearch.load(), 1);
    expectUnchanged(*ai, before);
}

INSTANTIATE_TEST_SUITE_P(Routines, SearchClock, ::testing::ValuesIn(kRoutines),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace korvane
