#include "engine/ai.h"
#include "engine/search/clock.h"

namespace korvane {

namespace {
constexpr int kSearchClockPeriod = 1000;
// Within this many milliseconds of the deadline the clock is read every kNearPeriod
// calls instead: a full period of slow nodes (threat searches, first touches of a large
// table) can take tens of milliseconds and would carry the search that far past it.
constexpr int64_t kNearDeadlineMs = 50;
constexpr int kNearPeriod = 25;
}  // namespace

void AI::checkClock(int32_t& counter, int period) {
    if (++counter < period) return;
    const int64_t now = clockMs();
    if (now > deadline) abortSearch.store(1, std::memory_order_relaxed);
    counter = now + kNearDeadlineMs >= deadline ? period - kNearPeriod : 0;
}

void AI::storeEntry(int depth, Bound bound, int value, ScoredMove move) {
    HashEntry& slot = hashTable[hashKey & hashMask];
    const uint64_t key = tableKey();
    if (slot.key == key && slot.depth > depth) return;
    slot = {key, int8_t(depth), bound, int8_t(move.x), int8_t(move.y), value};
}

// Probe step: true when the table settles the node, with its value in `value`.
static bool probeSettles(const HashEntry& slot, uint64_t key, int depth, int alpha, int beta,
                         int& value) {
    if (slot.key != key || slot.depth < depth) return false;
    if (slot.bound == Exact || (slot.bound == UpperBound && slot.value <= alpha)) {
        value = slot.value;
        return true;
    }
    if (slot.bound == LowerBound && slot.value >= beta) {
        value = beta;
        return true;
    }
    return false;
}

int AI::threatCheck(int depth) {
    if (useVctInSearch && depth >= 2) {
        if (int v = vctProbe(kVctProofDepth)) return v;
    }
    return vcfProbe();
}

int AI::expand(int depth, int alpha, int beta) {
    MoveList list;
    generateMoves(list);
    if (list.last >= 0) {
        if (list.moves[0].score == kWin) return kWin - ply;
        if (list.moves[0].score == -kWin) return ply - kWin;
    }
    Bound bound = UpperBound;
    ScoredMove best = list.last >= 0 ? list.moves[0] : ScoredMove{0, 0, 0};
    for (int i = 0; i <= list.last; ++i) {
        const ScoredMove m = list.moves[i];
        makeMove(m.x, m.y);
        const int v = -alphaBeta(depth - 1, -beta, -alpha);
        unmakeMove(m.x, m.y);
        if (abortSearch.load(std::memory_order_relaxed)) return 0;
        if (v >= beta) {
            // The entry keeps the best move so far, not necessarily the one that cut.
            storeEntry(depth, LowerBound, beta, best);
            return beta;
        }
        if (v > alpha) {
            alpha = v;
            bound = Exact;
            best = m;
        }
    }
    storeEntry(depth, bound, alpha, best);
    return alpha;
}

int AI::alphaBeta(int depth, int alpha, int beta) {
    ++searchNodes;
    checkClock(searchClockCounter, kSearchClockPeriod);
    if (abortSearch.load(std::memory_order_relaxed)) return 0;

    int value;
    if (probeSettles(hashSlot(), tableKey(), depth, alpha, beta, value)) return value;
    if (int v = threatCheck(depth)) return v;
    if (depth == 0) return evaluate();
    return expand(depth, alpha, beta);
}

}  // namespace korvane
