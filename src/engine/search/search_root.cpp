#include <algorithm>
#include <cmath>

#include "engine/ai.h"
#include "engine/search/clock.h"

namespace korvane {

namespace {
constexpr int kMinBudgetMs = 20;
}

int64_t AI::budgetMs() const {
    return std::max<int64_t>(kMinBudgetMs, std::min<int64_t>(timeLeft / 3, turnTimeout));
}

// One iteration over the root moves; returns its value, with bestMove set.
int AI::rootIteration(int depth) {
    ScoredMove* moves = rootMoves.moves;
    if (moves[0].score == kWin) {
        bestMove = moves[0];
        return kWin - ply;
    }
    if (rootMoves.last == 0) {
        bestMove = {moves[0].x, moves[0].y, 0};
        return 0;
    }
    // Proven losses at the tail are not searched again; the first move always stays.
    while (rootMoves.last >= 1 && moves[rootMoves.last].score < -kDecided) --rootMoves.last;
    useVctInSearch = depth == kVctIteration;
    bestMove.score = -kInfinity;
    int value = -kInfinity;
    for (int i = 0; i <= rootMoves.last; ++i) {
        ScoredMove& m = moves[i];
        makeMove(m.x, m.y);
        const int t = -alphaBeta(depth - 1, -kInfinity, -value);
        unmakeMove(m.x, m.y);
        if (abortSearch.load(std::memory_order_relaxed)) return 0;
        m.score = t;
        if (t > value) {
            bestMove = m;
            value = t;
        }
    }
    return value;
}

ScoredMove AI::firstFreeCell() const {
    for (int y = kBorder; y < limit; ++y)
        for (int x = kBorder; x < limit; ++x)
            if (cells[y][x].state == EMPTY) return {int16_t(x), int16_t(y), 0};
    return {kBorder, kBorder, 0};  // a full board has no move to give
}

ScoredMove AI::nextPvMove() const {
    const HashEntry& slot = hashSlot();
    if (slot.key != tableKey()) return {0, 0, 0};
    return {slot.moveX, slot.moveY, 0};
}

void AI::collectPv(PvList& line, ScoredMove move, int depth) {
    if (depth <= 0 || line.last + 1 >= PvList::capacity) return;
    line.push(move);
    makeMove(move.x, move.y);
    const ScoredMove next = nextPvMove();
    if (isFree(next.x, next.y)) collectPv(line, next, depth - 1);
    unmakeMove(move.x, move.y);
}

ScoredMove AI::searchRoot() {
    if (history.last < 0) {
        const int16_t centre = int16_t((limit + kBorder) / 2);
        return {centre, centre, 0};
    }
    int64_t budget = budgetMs();
    deadline = clockMs() + budget;
    ply = maxPly = 0;
    abortSearch.store(0, std::memory_order_relaxed);
    searchNodes = threatNodes = 0;
    generateMoves(rootMoves);
    clearHashTable();

    // No candidate near the stones: any free cell will do.
    if (rootMoves.last < 0) return firstFreeCell();
    // Until an iteration finishes, the answer is the best-ordered candidate.
    ScoredMove result = {rootMoves.moves[0].x, rootMoves.moves[0].y, 0};
    if (showMessages && reporter) reporter->searchStarted();

    int depth = kMinSearchDepth;
    for (; depth <= maxDepth; ++depth) {
        const int64_t start = clockMs();
        searchNodes = 1;
        const int value = rootIteration(depth);
        const int64_t elapsed = std::max<int64_t>(1, clockMs() - start);
        budget -= elapsed;
        if (abortSearch.load(std::memory_order_relaxed)) break;
        result = bestMove;
        if (showMessages && reporter) {
            reporter->iterationFinished({depth, maxPly, result.score, result, clockMs() - start,
                                         elapsed, searchNodes, threatNodes});
        }
        if (std::abs(value) > kDecided || budget < 10 * elapsed || searchNodes == 1) break;
    }

    // The loop leaves depth at kMinSearchDepth or more, so the walk always starts with the
    // result.
    pv.last = -1;
    collectPv(pv, result, depth);
    if (showMessages && reporter) reporter->principalVariation(pv);
    return result;
}

}  // namespace korvane
