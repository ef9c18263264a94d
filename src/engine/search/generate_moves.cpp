#include <algorithm>

#include "engine/ai.h"
#include "engine/eval/cell_score.h"
#include "engine/search/sort_moves.h"

namespace korvane {

namespace {

constexpr int kHashMoveScore = 2000;
constexpr int kOpenFourDefence = 800;
constexpr int kFourDefenceBonus = 200;

int32_t wrapped(int64_t score) {
    return int32_t(score);
}

// Number of moves kept after sorting at this ply: 2 (32 - ply) + 1, at least one.
int widthAt(int ply) {
    return std::max(0, 2 * (32 - ply)) + 1;
}

}  // namespace

void AI::generateMoves(MoveList& list) const {
    list.last = -1;
    const int me = who;
    const int you = opp;
    // Forced one-move lists. The query looks along the lines of one stone first; the
    // box scan covers positions set up stone by stone in another order.
    auto forced = [&](int player, int historyIndex, int score) {
        ScoredMove m{0, 0, score};
        if (historyIndex >= 0) findFivePoint(player, historyIndex, m);
        if (m.x == 0) findPatternCell(player, Five, m);
        if (m.x != 0) list.push(m);
    };
    if (patternCount[me][Five] != 0) return forced(me, history.last - 1, kWin);
    if (patternCount[you][Five] != 0) {
        return forced(you, history.last, patternCount[you][Five] >= 2 ? -kWin : 0);
    }
    if (patternCount[me][Live4] != 0) {
        ScoredMove m{0, 0, kWin};
        findPatternCell(me, Live4, m);
        if (m.x != 0) list.push(m);
        return;
    }

    ScoredMove candidates[kMaxCells];
    int count = 0;
    const bool defence = patternCount[you][Live4] != 0;
    for (int y = yMin; y < yMax; ++y) {
        for (int x = xMin; x < xMax; ++x) {
            const Cell& cell = cells[y][x];
            if (cell.state != EMPTY || cell.neighbours == 0) continue;
            const int64_t mine = cellScore[cellIndex(cell.codeBytes(me))];
            const int64_t theirs = cellScore[cellIndex(cell.codeBytes(you))];
            int32_t score = wrapped(theirs + 2 * mine);
            if (defence) {
                if (cell.hasPattern(you, Live4))
                    score = kOpenFourDefence;
                else if (cell.hasPattern(you, Sleep4))
                    score = wrapped(int64_t(score) + kFourDefenceBonus);
                else if (!cell.hasPattern(me, Sleep4))
                    continue;
            } else if (score == 0) {
                continue;
            }
            candidates[count++] = {int16_t(x), int16_t(y), score};
        }
    }

    const HashEntry& slot = hashSlot();
    if (slot.key == tableKey() && slot.moveX != 0) {
        for (int i = 0; i < count; ++i) {
            if (candidates[i].x == slot.moveX && candidates[i].y == slot.moveY) {
                candidates[i].score = kHashMoveScore;
                break;
            }
        }
    }
    sortMoves(candidates, count);
    count = std::min(count, widthAt(ply));
    std::copy(candidates, candidates + count, list.moves);
    list.last = count - 1;

    if (list.last < 0) {
        ScoredMove m{0, 0, 0};
        findPatternCell(me, None, m);
        if (m.x != 0) list.push(m);
    }
}

}  // namespace korvane
