#include <algorithm>

#include "engine/eval/cell_score.h"
#include "engine/search/sort_moves.h"
#include "engine/search/threat_steps.h"

namespace korvane {

namespace {
constexpr int kThreesTried = 6;
}

int AI::vctProbe(int depth) {
    const int32_t* mine = patternCount[who];
    const int32_t* theirs = patternCount[opp];
    if (mine[Five] > 0) return kWin - ply;
    if (theirs[Five] >= 2) return ply - kWin;
    if (theirs[Five] == 1) return threatScore(vcfDefend());
    if (mine[Live4] > 0) return kWin - 1 - ply;
    if (mine[Sleep4] == 0) return 0;
    MoveListOf<64> fours;
    collectFirstFours(kNoThreshold, fours);
    sortMoves(fours.moves, fours.size());
    const int e = firstWinningAttack(fours.moves, fours.size(), kNoThreshold,
                                     [this, depth] { return vctDefend(depth); });
    return e > 0 ? kWin - ply - e : 0;
}

// Tries each defence in turn; 0 as soon as one holds (the attack then fails), 1 when
// every defence loses.
int AI::firstHoldingDefence(const ScoredMove* moves, int count, int depth) {
    for (int i = 0; i < count; ++i) {
        makeMove(moves[i].x, moves[i].y);
        const int r = vctAttack(depth - 1);
        unmakeMove(moves[i].x, moves[i].y);
        if (r <= 0) return 0;
    }
    return 1;
}

int AI::vctDefend(int depth) {
    const int defender = who;
    const int attacker = opp;
    if (patternCount[defender][Five] > 0) return 1;
    if (depth == 0) return 0;
    checkClock(vctDefendClock, kThreatClockPeriod);
    if (abortSearch.load(std::memory_order_relaxed)) return 0;
    if (patternCount[attacker][Five] > 0) {
        return blockFiveThen([this, depth] { return vctAttack(depth - 1); });
    }
    if (patternCount[defender][Live4] >= 1) return 2;
    if (patternCount[attacker][Live4] == 0) return 0;
    if (patternCount[defender][Sleep4] >= 4) return 0;

    // The attacker's open-four points, its four points, then the defender's own fours.
    LineMoveList lineMoves;
    for (int key : {Live4, Sleep4}) {
        collectLineMoves(attacker, key, history.last, lineMoves);
        if (!firstHoldingDefence(lineMoves.moves, lineMoves.size(), depth)) return 0;
    }
    MoveListOf<64> ownFours;
    collectFirstFours(kNoThreshold, ownFours);
    if (!firstHoldingDefence(ownFours.moves, ownFours.size(), depth)) return 0;
    return -1;
}

int AI::vctAttack(int depth) {
    const int attacker = who;
    const int defender = opp;
    const int32_t* mine = patternCount[attacker];
    if (mine[Five] > 0) return 1;
    if (depth == 0) return 0;
    checkClock(vctAttackClock, kThreatClockPeriod);
    if (abortSearch.load(std::memory_order_relaxed)) return 0;
    if (patternCount[defender][Five] > 0) {
        return blockFiveThen([this, depth] { return vctAttack(depth - 1); });
    }
    if (mine[Live4] >= 1) return 2;

    auto defend = [this, depth] { return vctDefend(depth - 1); };
    LineMoveList moves;
    if (mine[Sleep4] > 0) {
        // Anchor: the attacker's latest move that did not just block a five point,
        // never before the attacker's oldest move.
        int f = history.last - 1;
        while (f >= 2 && cells[history.moves[f].y][history.moves[f].x].hasPattern(defender, Five)) {
            f -= 2;
        }
        if (f >= 0) {
            collectLineMoves(attacker, Sleep4, f, moves);
            if (int e = firstWinningAttack(moves.moves, moves.size(), kWeakFourScore, defend)) {
                return e + 1;
            }
        }
    }
    if (patternCount[defender][Live4] > 0) return 0;

    const int key = mine[Live3l] > 0 ? Live3l : mine[Live3b] > 0 ? Live3b : None;
    if (key == None || history.last < 1) return 0;
    collectLineMoves(attacker, key, history.last - 1, moves);
    const int e =
        firstWinningAttack(moves.moves, std::min(moves.size(), kThreesTried), kNoThreshold, defend);
    return e > 0 ? e + 1 : 0;
}

}  // namespace korvane
