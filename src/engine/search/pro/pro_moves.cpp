#include <algorithm>
#include <bit>

#include "engine/eval/cell_score.h"
#include "engine/search/pro/pro_search.h"

namespace korvane {

namespace {

constexpr int32_t kTableMoveKey = INT32_MAX;
// Ordering key: the cell score in the high bits, the history below it, so that the
// history orders moves of equal promise; killers count as this much cell score more.
constexpr int kHistoryBits = 10;
constexpr int32_t kKillerBonus = 24;
constexpr int64_t kMaxOrderingScore = (int64_t(1) << (30 - kHistoryBits)) - 1;
// Moves kept below the root, the best-ordered first: a wide choice near the root, a
// narrow one deeper, where the ordering's first moves carry the line.
constexpr int kWidth = 40;
constexpr int kWidePlies = 2;
constexpr int kDeepWidth = 14;

int highestCode(uint32_t codeBytes) {
    int high = 0;
    for (int d = 0; d < kDirections; ++d) high = std::max(high, int(codeBytes >> (8 * d) & 0xF));
    return high;
}

int cellNumber(ScoredMove m) {
    return m.y * kGrid + m.x;
}

}  // namespace

bool ProSearch::quiet(ScoredMove move) const {
    const Cell& cell = ai->cells[move.y][move.x];
    return highestCode(cell.codeBytes(ai->who)) < Live3b &&
           highestCode(cell.codeBytes(ai->opp)) < Live3b;
}

// Against an open three the moves are its blocks (every cell where the opponent would
// make a four) and one's own fours.
bool ProSearch::facingOpenThree() const {
    const AI& b = *ai;
    return b.patternCount[b.opp][Live4] > 0 && b.patternCount[b.who][Live4] == 0;
}

// Whether an empty cell near the stones is a move worth searching, and its promise for
// the order.
inline bool ProSearch::promising(const Cell& cell, bool defence, int64_t& score) const {
    if (defence && highestCode(cell.codeBytes(ai->opp)) < Sleep4 &&
        highestCode(cell.codeBytes(ai->who)) < Sleep4)
        return false;
    const int64_t* order = orderScore[ai->who];
    score = order[cell.patterns[0]] + order[cell.patterns[1]] + order[cell.patterns[2]] +
            order[cell.patterns[3]];
    return defence || score > 0;
}

void ProSearch::buildOrderScores() {
    for (int pair = 0; pair < 256; ++pair) {
        const int low = pair & 0xF, high = pair >> 4;
        if (low >= kPatternCodes || high >= kPatternCodes) continue;
        orderScore[BLACK][pair] = int64_t(cellCodeScore[high]) + 2 * int64_t(cellCodeScore[low]);
        orderScore[WHITE][pair] = int64_t(cellCodeScore[low]) + 2 * int64_t(cellCodeScore[high]);
    }
}

// Whether the table move may be searched before the others are generated: it is one of
// them, unless the entry belongs to another position.
bool ProSearch::tableMoveFirst(ScoredMove move) const {
    const AI& b = *ai;
    if (!b.isFree(move.x, move.y)) return false;
    const Cell& cell = b.cells[move.y][move.x];
    int64_t score = 0;
    return cell.neighbours > 0 && promising(cell, facingOpenThree(), score);
}

// Writes the candidates near the stones to `out` with their ordering keys; returns their
// count. Against an open three (kDefence) only fours and their blocks are candidates.
template <bool kDefence>
int ProSearch::scoreCandidates(ScoredMove* out, ScoredMove tableMove) const {
    const AI& b = *ai;
    const int32_t(&moverHistory)[kGrid][kGrid] = history[b.who];
    const int tableCell = cellNumber(tableMove);
    const int killer0 = cellNumber(killers[b.ply][0]);
    const int killer1 = cellNumber(killers[b.ply][1]);
    int count = 0;
    for (int y = b.yMin; y < b.yMax; ++y) {
        for (uint64_t near = b.nearStoneCells(y); near != 0; near &= near - 1) {
            const int x = std::countr_zero(near) / 2;
            int64_t score = 0;
            if (!promising(b.cells[y][x], kDefence, score)) continue;
            const int at = y * kGrid + x;
            if (at == tableCell) {
                out[count++] = {int16_t(x), int16_t(y), kTableMoveKey};
                continue;
            }
            if (at == killer0 || at == killer1) score += kKillerBonus;
            const int32_t h = std::min(moverHistory[y][x], (1 << kHistoryBits) - 1);
            // Weights may be any integers: the score is kept where the key cannot overflow.
            const int64_t bounded =
                std::clamp<int64_t>(score, -kMaxOrderingScore, kMaxOrderingScore);
            out[count++] = {int16_t(x), int16_t(y), int32_t(bounded * (1 << kHistoryBits) + h)};
        }
    }
    return count;
}

// Fills `list` in search order. Returns 1 when the moves answer a threat (a five point
// or an open three of the opponent), which are then all the moves worth searching.
int ProSearch::generate(MoveList& list, ScoredMove tableMove) const {
    const AI& b = *ai;
    const int me = b.who;
    const int you = b.opp;
    list.last = -1;
    ScoredMove forced{0, 0, 0};
    if (fivePoints(me, forced) > 0 || fivePoints(you, forced) > 0) {
        list.push(forced);
        return 1;
    }
    const bool defence = facingOpenThree();
    ScoredMove candidates[kMaxSize * kMaxSize];
    const int count = defence ? scoreCandidates<true>(candidates, tableMove)
                              : scoreCandidates<false>(candidates, tableMove);
    // More candidates than a list holds happen only on crowded large boards: keep the
    // best-ordered.
    if (count > MoveList::capacity) {
        std::nth_element(candidates, candidates + MoveList::capacity, candidates + count,
                         [](ScoredMove a, ScoredMove c) { return a.score > c.score; });
    }
    const int kept = std::min(count, MoveList::capacity);
    std::copy(candidates, candidates + kept, list.moves);
    list.last = kept - 1;
    return defence ? 1 : 0;
}

int ProSearch::movesSearched(const MoveList& list) const {
    if (ai->ply == 0) return list.size();
    return std::min(list.size(), ai->ply <= kWidePlies ? kWidth : kDeepWidth);
}

// Moves the best-ordered of moves[i..] to position i: the list is ordered only as far as
// the search gets, since most nodes end after their first moves.
void ProSearch::selectNext(MoveList& list, int i) {
    int best = i;
    for (int j = i + 1; j <= list.last; ++j)
        if (list.moves[j].score > list.moves[best].score) best = j;
    std::swap(list.moves[i], list.moves[best]);
}

}  // namespace korvane
