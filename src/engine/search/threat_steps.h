#pragma once

// Steps shared by the four-threat and three-threat searches.

#include <climits>

#include "engine/ai.h"
#include "engine/eval/weights.h"

namespace korvane {

inline constexpr int kThreatClockPeriod = 2000;
// The fixedCellScore of a four with nothing on the cell's other three lines. Fours
// that score no more than this are not tried.
inline constexpr int kWeakFourScore = defaultWeights[Sleep4] + 3 * defaultWeights[None];
inline constexpr int kNoThreshold = INT_MIN;

// The side to move blocks the opponent's five point (on the lines of the opponent's
// last stone), `next` searches on, and its result is passed up. No point found: 0.
template <typename Next>
int AI::blockFiveThen(Next next) {
    ScoredMove p{0, 0, 0};
    findFivePoint(opp, history.last, p);
    if (p.x == 0) return 0;
    makeMove(p.x, p.y);
    const int r = next();
    unmakeMove(p.x, p.y);
    return passUp(r);
}

// Plays the moves in order, stopping at the first that scores `minScore` or less, and
// returns the first positive result e = -reply() (the opponent loses), or 0.
template <typename Reply>
int AI::firstWinningAttack(const ScoredMove* moves, int count, int minScore, Reply reply) {
    for (int i = 0; i < count && moves[i].score > minScore; ++i) {
        makeMove(moves[i].x, moves[i].y);
        const int e = -reply();
        unmakeMove(moves[i].x, moves[i].y);
        if (e > 0) return e;
    }
    return 0;
}

}  // namespace korvane
