#include <algorithm>

#include "engine/eval/cell_score.h"
#include "engine/search/clock.h"
#include "engine/search/pro/four_cells.h"
#include "engine/search/pro/pro_search.h"
#include "engine/search/sort_moves.h"
#include "engine/search/threat_steps.h"

namespace korvane {

namespace {
constexpr int kThreatClockMask = 255;
// Low bits of a failure record: the attacking moves it was searched with.
constexpr uint64_t kMovesMask = 63;
// Threes and fours an attacker tries at each of its moves, the strongest first.
constexpr int kThreatsTried = 10;
}  // namespace

// Counts a threat node; true when the clock or the node budget ends the threat search.
// Attacks and defences alternate, so the clock is read on a count of its own.
bool ProSearch::threatSearchEnds() {
    ++vcfNodes;
    if ((++threatClockCalls & kThreatClockMask) == 0 && clockMs() >= timer.hard) aborted = true;
    return aborted || vcfNodes > vcfLimit;
}

int ProSearch::fivePoints(int colour, ScoredMove& at) const {
    const AI& b = *ai;
    const int count = b.patternCount[colour][Five];
    if (count == 0) return 0;
    // Five points come from the colour's latest stone, unless the position was set up.
    const int latest = b.history.last - (colour == b.opp ? 0 : 1);
    ScoredMove p{0, 0, 0};
    if (latest >= 0) b.findFivePoint(colour, latest, p);
    if (p.x == 0) b.findPatternCell(colour, Five, p);
    if (p.x == 0) return 0;
    at = p;
    // One cell may complete several lines; it is still one point to block.
    int directions = 0;
    for (int d = 0; d < kDirections; ++d)
        directions += b.cells[p.y][p.x].pattern(colour, d) == Five ? 1 : 0;
    return directions == count ? 1 : 2;
}

// Cells where `colour` makes a four, or with threes also an open three, the strongest
// first.
void ProSearch::collectAttacks(int colour, bool threes, MoveListOf<64>& list) const {
    const AI& b = *ai;
    list.last = -1;
    for (int y = b.yMin; y < b.yMax; ++y) {
        for (int x = b.xMin; x < b.xMax; ++x) {
            const Cell& cell = b.cells[y][x];
            if (cell.state != EMPTY || cell.neighbours == 0) continue;
            if (!cell.hasPattern(colour, Sleep4) &&
                !(threes && (cell.hasPattern(colour, Live3b) || cell.hasPattern(colour, Live3l))))
                continue;
            if (list.last + 1 == list.capacity) break;
            list.push({int16_t(x), int16_t(y), fixedCellScore[cellIndex(cell.codeBytes(colour))]});
        }
    }
    sortMoves(list.moves, list.size());
}

// The attacker (side to move) plays fours, and with `threes` also open threes, until one
// wins within `movesLeft` attacking moves: returns the plies to its five, or 0. A five
// point of the defender is blocked (by fours alone only when the block makes a four),
// and two of them end the attack.
int ProSearch::threatAttack(bool threes, int movesLeft, ScoredMove* firstMove) {
    AI& b = *ai;
    if (threatSearchEnds()) return 0;
    const int me = b.who;
    if (b.patternCount[me][Five] > 0) return 1;
    ScoredMove block{0, 0, 0};
    const int theirFives = fivePoints(b.opp, block);
    if (theirFives >= 2) return 0;
    if (theirFives == 1) {
        const Cell& cell = b.cells[block.y][block.x];
        if (threes ? movesLeft <= 0 : !cell.hasPattern(me, Sleep4) && !cell.hasPattern(me, Live4))
            return 0;
        b.makeMove(block.x, block.y);
        const int r = threatDefend(threes, movesLeft - 1);
        b.unmakeMove(block.x, block.y);
        if (r && firstMove) *firstMove = block;
        return r ? r + 1 : 0;
    }
    if (b.patternCount[me][Live4] > 0) {
        if (firstMove) b.findPatternCell(me, Live4, *firstMove);
        return 3;
    }
    if (movesLeft <= 0 || (!threes && b.patternCount[me][Sleep4] == 0)) return 0;
    uint64_t* failures = threes ? vctFailures : vcfFailures;
    uint64_t& failure = failures[b.hashKey & (kFailureSlots - 1)];
    if ((failure & ~kMovesMask) == (b.hashKey & ~kMovesMask) &&
        int(failure & kMovesMask) >= movesLeft)
        return 0;

    MoveListOf<64> attacks;
    collectAttacks(me, threes, attacks);
    const int tried = threes ? std::min(attacks.size(), kThreatsTried) : attacks.size();
    for (int i = 0; i < tried; ++i) {
        const ScoredMove m = attacks.moves[i];
        b.makeMove(m.x, m.y);
        const int r = threatDefend(threes, movesLeft - 1);
        b.unmakeMove(m.x, m.y);
        if (aborted || vcfNodes > vcfLimit) return 0;
        if (r) {
            if (firstMove) *firstMove = m;
            return r + 1;
        }
    }
    failure = (b.hashKey & ~kMovesMask) | uint64_t(movesLeft);
    return 0;
}

// The defender (side to move) answers the attacker's last four or, with `threes`, open
// three: a four is blocked; a three is met by every cell where the attacker would make a
// four, and by the defender's own fours. Returns the plies to the attacker's five when
// nothing holds, else 0.
int ProSearch::threatDefend(bool threes, int attacks) {
    AI& b = *ai;
    ++vcfNodes;
    const int me = b.who;
    const int attacker = b.opp;
    if (b.patternCount[me][Five] > 0) return 0;
    ScoredMove block{0, 0, 0};
    const int fives = fivePoints(attacker, block);
    if (fives >= 2) return 2;
    if (fives == 1) {
        b.makeMove(block.x, block.y);
        const int r = threatAttack(threes, attacks, nullptr);
        b.unmakeMove(block.x, block.y);
        return r ? r + 1 : 0;
    }
    if (!threes || b.patternCount[attacker][Live4] == 0 || b.patternCount[me][Live4] > 0) return 0;
    ScoredMove answers[kMaxSize * kMaxSize];
    int count = 0;
    for (int y = b.yMin; y < b.yMax; ++y) {
        for (int x = b.xMin; x < b.xMax; ++x) {
            const Cell& cell = b.cells[y][x];
            if (cell.state != EMPTY || cell.neighbours == 0) continue;
            if (cell.hasPattern(attacker, Live4) || cell.hasPattern(attacker, Sleep4) ||
                cell.hasPattern(me, Sleep4))
                answers[count++] = {int16_t(x), int16_t(y), 0};
        }
    }
    int longest = 0;
    for (int i = 0; i < count; ++i) {
        b.makeMove(answers[i].x, answers[i].y);
        const int r = threatAttack(true, attacks, nullptr);
        b.unmakeMove(answers[i].x, answers[i].y);
        if (r == 0) return 0;
        longest = std::max(longest, r);
    }
    return longest + 1;
}

// The quick win by fours asked at every node: each four of the side to move that is more
// than a lone four, strongest first, followed by the forced blocks and the fours along
// the lines of the latest one. The side to move has a four to make and no five to make
// or to stop. The plies to the five from the root, or 0.
int ProSearch::quickVcf() {
    AI& b = *ai;
    MoveListOf<64> fours;
    visitFourCells(b, b.who, [&](int x, int y, const Cell& cell) {
        const int score = fixedCellScore[cellIndex(cell.codeBytes(b.who))];
        if (score > kWeakFourScore && fours.last + 1 < fours.capacity)
            fours.push({int16_t(x), int16_t(y), score});
    });
    sortMoves(fours.moves, fours.size());
    const int e = b.firstWinningAttack(fours.moves, fours.size(), kNoThreshold,
                                       [&b] { return b.vcfDefend(); });
    return e > 0 ? kWin - b.ply - e : 0;
}

int ProSearch::rootVcf(ScoredMove& firstMove) {
    if (fivePoints(ai->who, firstMove) > 0) return 1;
    if (ai->patternCount[ai->who][Sleep4] == 0 && ai->patternCount[ai->who][Live4] == 0) return 0;
    constexpr int kRootFours = 20;
    constexpr int64_t kRootVcfBudget = 200000;
    vcfLimit = vcfNodes + kRootVcfBudget;
    return threatAttack(false, kRootFours, &firstMove);
}

}  // namespace korvane
