#include "engine/eval/cell_score.h"
#include "engine/search/sort_moves.h"
#include "engine/search/threat_steps.h"

namespace korvane {

int AI::threatScore(int r) const {
    if (r > 0) return kWin - ply - r;
    if (r < 0) return ply - r - kWin;
    return 0;
}

void AI::collectFirstFours(int minScore, MoveListOf<64>& list) const {
    list.last = -1;
    for (int y = yMin; y < yMax; ++y) {
        for (int x = xMin; x < xMax; ++x) {
            const Cell& cell = cells[y][x];
            if (cell.state != EMPTY || cell.neighbours == 0 || !cell.hasPattern(who, Sleep4))
                continue;
            const int score = fixedCellScore[cellIndex(cell.codeBytes(who))];
            if (score < minScore) continue;
            if (list.last + 1 == list.capacity) return;  // further fours are left out
            list.push({int16_t(x), int16_t(y), score});
        }
    }
}

int AI::vcfProbe() {
    const int32_t* mine = patternCount[who];
    if (mine[Five] > 0) return kWin - ply;
    if (patternCount[opp][Five] > 0) return threatScore(vcfAttack());
    if (mine[Live4] > 0) return kWin - 1 - ply;
    if (mine[Sleep4] == 0) return 0;
    MoveListOf<64> fours;
    collectFirstFours(kWeakFourScore + 1, fours);
    sortMoves(fours.moves, fours.size());
    const int e =
        firstWinningAttack(fours.moves, fours.size(), kNoThreshold, [this] { return vcfDefend(); });
    return e > 0 ? kWin - ply - e : 0;
}

int AI::vcfAttack() {
    ++threatNodes;
    const int32_t* mine = patternCount[who];
    if (mine[Five] > 0) return 1;
    checkClock(vcfAttackClock, kThreatClockPeriod);
    if (abortSearch.load(std::memory_order_relaxed)) return 0;
    if (patternCount[opp][Five] > 0) return blockFiveThen([this] { return vcfAttack(); });
    if (mine[Live4] > 0) return 1;
    if (mine[Sleep4] == 0) return 0;
    LineMoveList fours;
    collectLineMoves(who, Sleep4, history.last - 1, fours);
    const int e = firstWinningAttack(fours.moves, fours.size(), kWeakFourScore,
                                     [this] { return vcfDefend(); });
    return e > 0 ? e + 1 : 0;
}

int AI::vcfDefend() {
    ++threatNodes;
    if (patternCount[who][Five] > 0) return 1;
    checkClock(vcfDefendClock, kThreatClockPeriod);
    if (abortSearch.load(std::memory_order_relaxed)) return 0;
    if (patternCount[opp][Five] == 0) return patternCount[who][Live4] > 0 ? 1 : 0;
    return blockFiveThen([this] { return vcfAttack(); });
}

}  // namespace korvane
