#include "engine/search/pro/pro_search.h"

#include <algorithm>
#include <cstdlib>

#include "engine/search/clock.h"
#include "engine/search/sort_moves.h"

namespace korvane {

namespace {
constexpr int kClockPeriodMask = 63;
constexpr int kAspirationWindow = 40;
// Quiet moves from this place in the list on are searched a ply shallower first, at
// nodes with at least kReductionMinDepth plies left.
constexpr int kReductionFromMove = 3;
constexpr int kReductionMinDepth = 3;
// The win by threes tried at the root: attacking moves, and threat nodes.
constexpr int kRootThreats = 8;
constexpr int64_t kRootVctBudget = 20000;
// The win by threes in the tree: asked at nodes with this many plies left, where a proof
// saves a subtree worth the probe, and kept to this many threat plies, past which the
// probes cost more than their rare proofs are worth.
constexpr int kTreeVctMinDepth = 3;
constexpr int kTreeVctPlies = 12;
// What a table entry records of the quick proof: searched, nothing found.
constexpr int kNodeFours = 1;
}  // namespace

ProSearch::ProSearch() {
    table.resize(kDefaultHashEntries);
}

void ProSearch::newGame() {
    table.clear();
    std::fill(&history[0][0][0], &history[0][0][0] + 3 * kGrid * kGrid, 0);
    std::fill(std::begin(vcfFailures), std::end(vcfFailures), 0);
    std::fill(std::begin(vctFailures), std::end(vctFailures), 0);
}

void ProSearch::evaluationChanged() {
    newGame();
}

bool ProSearch::timeUp() {
    if ((++searchNodes & kClockPeriodMask) == 0 && clockMs() >= timer.hard) aborted = true;
    return aborted;
}

// Probe step: true when the entry settles the node, with its value.
bool ProSearch::probe(const ProEntry* entry, int depth, int alpha, int beta, int& value) const {
    if (!entry || entry->depth < depth || entry->bound() == ProBound::None) return false;
    value = valueFromTable(entry->value, ai->ply, kDecided);
    switch (entry->bound()) {
        case ProBound::Exact: return true;
        case ProBound::Lower: return value >= beta;
        case ProBound::Upper: return value <= alpha;
        default: return false;
    }
}

// Threat step: the side to move's win by fours, proved once and kept in the table. In
// the tree the quick search along the latest fours serves; the complete one runs at the
// root, where it pays.
int ProSearch::ownFoursWin(const ProEntry* entry, bool record) {
    AI& b = *ai;
    if (b.patternCount[b.who][Sleep4] == 0) return 0;
    if (entry && entry->noVcfWithin >= kNodeFours) return 0;
    const int value = keepProof(quickVcf());
    if (value == 0 && !aborted && record) table.storeNoVcf(b.hashKey, kNodeFours);
    return value;
}

// Threat step: the side to move's win by threes, whose proofs the table keeps.
int ProSearch::ownThreesWin(const ProEntry* entry) {
    AI& b = *ai;
    if (entry && entry->noVctWithin > 0) return 0;
    const int value = keepProof(b.vctProbe(kTreeVctPlies));
    if (value == 0 && !aborted) table.storeNoVct(b.hashKey, 1);
    return value;
}

// The value of a threat probe of the node, kept in the table when it proves a win; 0
// when it proves nothing or the search was stopped meanwhile.
int ProSearch::keepProof(int value) {
    AI& b = *ai;
    if (b.abortSearch.load(std::memory_order_relaxed)) aborted = true;
    if (aborted || value == 0) return 0;
    table.store(b.hashKey, kProvenDepth, ProBound::Exact, valueToTable(value, b.ply, kDecided),
                {0, 0, 0});
    return value;
}

void ProSearch::store(int depth, int alpha0, int beta, int value, ScoredMove move) {
    const ProBound bound = value <= alpha0 ? ProBound::Upper
                           : value >= beta ? ProBound::Lower
                                           : ProBound::Exact;
    table.store(ai->hashKey, depth, bound, valueToTable(value, ai->ply, kDecided), move);
}

void ProSearch::noteCut(ScoredMove move, int depth) {
    const int ply = ai->ply;
    if (killers[ply][0].x != move.x || killers[ply][0].y != move.y) {
        killers[ply][1] = killers[ply][0];
        killers[ply][0] = {move.x, move.y, 0};
    }
    int32_t& h = history[ai->who][move.y][move.x];
    h = std::min(h + depth * depth, 1 << 20);
}

// The value of the move `index` of the node's order: the first with the full window,
// the others with a null window (at first a ply shallower when `reduce`), searched again
// when they promise more.
int ProSearch::childValue(ScoredMove move, int index, int depth, int alpha, int beta, bool pvNode,
                          bool reduce) {
    AI& b = *ai;
    // The child's bucket starts loading before the stone is placed, which takes long
    // enough to hide most of the wait. Leaves do not read the table.
    if (depth > 1) table.prefetch(b.hashKey ^ b.zobrist[b.who][move.y][move.x]);
    b.makeMove(move.x, move.y);
    int v;
    if (index == 0) {
        v = -search(depth - 1, -beta, -alpha, pvNode);
    } else {
        v = -search(depth - 1 - (reduce ? 1 : 0), -alpha - 1, -alpha, false);
        if (v > alpha && reduce) v = -search(depth - 1, -alpha - 1, -alpha, false);
        if (v > alpha && v < beta && pvNode) v = -search(depth - 1, -beta, -alpha, true);
    }
    b.unmakeMove(move.x, move.y);
    return v;
}

// Takes the value `v` of the move `m` into the node's best; true when it cuts the node off.
bool ProSearch::takeValue(NodeBest& node, int v, ScoredMove m, int depth, int beta) {
    if (v > node.value) {
        node.value = v;
        node.move = m;
    }
    if (node.value < beta) return false;
    noteCut(m, depth);
    return true;
}

int ProSearch::expand(int depth, int alpha, int beta, bool pvNode, ScoredMove tableMove) {
    NodeBest node{-kInfinity, {0, 0, 0}};
    // The table move goes first in any order; searched before the others are generated,
    // it often settles the node alone.
    const bool tableFirst = tableMoveFirst(tableMove);
    if (tableFirst) {
        const int v = childValue(tableMove, 0, depth, alpha, beta, pvNode, false);
        if (aborted) return 0;
        if (takeValue(node, v, tableMove, depth, beta)) {
            store(depth, alpha, beta, node.value, node.move);
            return node.value;
        }
    }
    MoveList list;
    const bool defending = generate(list, tableMove) != 0;
    if (list.last < 0) return 0;  // a full board: a draw
    const int count = movesSearched(list);
    if (tableFirst) selectNext(list, 0);
    for (int i = tableFirst ? 1 : 0; i < count; ++i) {
        selectNext(list, i);
        const ScoredMove m = list.moves[i];
        const bool reduce =
            !defending && i >= kReductionFromMove && depth >= kReductionMinDepth && quiet(m);
        const int v = childValue(m, i, depth, std::max(alpha, node.value), beta, pvNode, reduce);
        if (aborted) return 0;
        if (takeValue(node, v, m, depth, beta)) break;
    }
    store(depth, alpha, beta, node.value, node.move);
    return node.value;
}

int ProSearch::search(int depth, int alpha, int beta, bool pvNode) {
    if (timeUp()) return 0;
    AI& b = *ai;
    const int ply = b.ply;
    if (b.patternCount[b.who][Five] > 0) return kWin - ply - 1;
    ScoredMove block{0, 0, 0};
    const int theirFives = fivePoints(b.opp, block);
    if (theirFives >= 2) return ply + 2 - kWin;
    if (ply >= kMaxPly) return evaluate();

    // Leaves, two nodes in three, are nearly all new positions (the table holds about one
    // in seventy of them), so they neither read the table nor record their threat probes.
    const bool leaf = depth <= 0;
    const ProEntry* entry = leaf ? nullptr : table.probe(b.hashKey);
    int value = 0;
    if (!pvNode && probe(entry, depth, alpha, beta, value)) return value;
    if (theirFives == 1) {
        // The block is the only move: searched without using up depth.
        b.makeMove(block.x, block.y);
        value = -search(depth, -beta, -alpha, pvNode);
        b.unmakeMove(block.x, block.y);
        return value;
    }
    // An open four cannot be stopped once the opponent has no five to make.
    if (b.patternCount[b.who][Live4] > 0) return kWin - ply - 3;
    if (int v = ownFoursWin(entry, !leaf)) return v;
    if (aborted) return 0;
    if (depth >= kTreeVctMinDepth) {
        if (int v = ownThreesWin(entry)) return v;
        if (aborted) return 0;
    }
    if (leaf) return evaluate();
    return expand(depth, alpha, beta, pvNode, entry ? entry->move() : ScoredMove{0, 0, 0});
}

// One iteration over the root moves, best first; returns its value. rootBest follows
// every move that proves better, so an unfinished iteration still leaves its best.
int ProSearch::rootIteration(int depth, int alpha, int beta) {
    AI& b = *ai;
    int best = -kInfinity;
    for (int i = 0; i <= rootMoves.last; ++i) {
        ScoredMove& m = rootMoves.moves[i];
        b.makeMove(m.x, m.y);
        int v;
        if (i == 0) {
            v = -search(depth - 1, -beta, -alpha, true);
        } else {
            v = -search(depth - 1, -alpha - 1, -alpha, false);
            if (v > alpha && v < beta) v = -search(depth - 1, -beta, -alpha, true);
        }
        b.unmakeMove(m.x, m.y);
        if (aborted) break;
        m.score = v;
        if (v > best) {
            best = v;
            if (v > alpha || i == 0) {
                rootBest = m;
                rootBestValue = v;
                // Keep the best first for the next iteration.
                std::rotate(rootMoves.moves, rootMoves.moves + i, rootMoves.moves + i + 1);
            }
        }
        if (v > alpha) alpha = v;
        if (alpha >= beta) break;
    }
    return best;
}

// Searches with a narrow window around the previous value, widening on failure.
int ProSearch::aspirate(int depth, int previous) {
    int delta = kAspirationWindow;
    int alpha = std::abs(previous) > kDecided ? -kInfinity : previous - delta;
    int beta = std::abs(previous) > kDecided ? kInfinity : previous + delta;
    for (;;) {
        const int v = rootIteration(depth, alpha, beta);
        if (aborted) return v;
        if (v <= alpha && alpha > -kInfinity) {
            alpha = std::max(-kInfinity, v - delta);
        } else if (v >= beta && beta < kInfinity) {
            beta = std::min(kInfinity, v + delta);
        } else {
            return v;
        }
        delta *= 4;
    }
}

// Reports the iteration that started at `start` with the node counts `nodesAtStart`.
void ProSearch::reportIteration(int depth, int value, const IterationStart& start) {
    AI& b = *ai;
    if (!b.showMessages || !b.reporter) return;
    const int64_t now = clockMs();
    const int64_t elapsed = std::max<int64_t>(1, now - start.time);
    b.reporter->iterationFinished({depth, b.maxPly, value, rootBest, now - start.time, elapsed,
                                   searchNodes - start.nodes, vcfNodes - start.threatNodes});
}

void ProSearch::collectPv() {
    AI& b = *ai;
    b.pv.last = -1;
    ScoredMove m = rootBest;
    int played = 0;
    while (b.isFree(m.x, m.y) && b.pv.last + 1 < PvList::capacity) {
        b.pv.push(m);
        b.makeMove(m.x, m.y);
        ++played;
        const ProEntry* e = table.probe(b.hashKey);
        m = e ? e->move() : ScoredMove{0, 0, 0};
    }
    for (int i = b.pv.last; i > b.pv.last - played; --i)
        b.unmakeMove(b.pv.moves[i].x, b.pv.moves[i].y);
}

// A win by fours, else by threes, for the side to move at the root: the plies to its
// five, with the first move in `first`.
int ProSearch::rootWin(ScoredMove& first) {
    if (int plies = rootVcf(first)) return plies;
    vcfLimit = vcfNodes + kRootVctBudget;
    return threatAttack(true, kRootThreats, &first);
}

ScoredMove ProSearch::chooseMove(AI& engineState) {
    ai = &engineState;
    AI& b = engineState;
    timer = MoveTimer::plan(clockMs(), b.turnTimeout, b.timeLeft, b.timeoutMatch);
    b.deadline = timer.hard;
    b.abortSearch.store(0, std::memory_order_relaxed);
    b.ply = b.maxPly = 0;
    searchNodes = vcfNodes = 0;
    aborted = false;
    table.newSearch();
    buildOrderScores();
    for (auto& k : killers) k[0] = k[1] = {0, 0, 0};

    if (b.history.last < 0) {
        const int16_t centre = int16_t((b.limit + kBorder) / 2);
        return {centre, centre, 0};
    }
    generate(rootMoves, {0, 0, 0});
    if (rootMoves.last < 0) return b.firstFreeCell();
    sortMoves(rootMoves.moves, rootMoves.size());
    rootBest = rootMoves.moves[0];
    rootBestValue = 0;
    if (b.showMessages && b.reporter) b.reporter->searchStarted();

    ScoredMove win{0, 0, 0};
    if (const int plies = rootWin(win)) {
        rootBest = win;
        rootBestValue = kWin - plies;
        reportIteration(plies, rootBestValue, {timer.start, 0, 0});
    } else if (rootMoves.last > 0) {
        int value = 0;
        for (int depth = 2; depth <= b.maxDepth; ++depth) {
            const IterationStart start{clockMs(), searchNodes, vcfNodes};
            value = aspirate(depth, value);
            if (aborted) break;
            value = rootBestValue;
            reportIteration(depth, value, start);
            if (std::abs(value) > kDecided || clockMs() >= timer.soft) break;
        }
    }
    collectPv();
    if (b.showMessages && b.reporter) b.reporter->principalVariation(b.pv);
    return {rootBest.x, rootBest.y, rootBestValue};
}

}  // namespace korvane
