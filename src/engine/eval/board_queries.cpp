#include "engine/ai.h"
#include "engine/eval/cell_score.h"
#include "engine/search/sort_moves.h"

namespace korvane {

void AI::findPatternCell(int player, int key, ScoredMove& out) const {
    for (int y = yMin; y < yMax; ++y) {
        for (int x = xMin; x < xMax; ++x) {
            const Cell& cell = cells[y][x];
            if (cell.state == EMPTY && cell.neighbours != 0 && cell.hasPattern(player, key)) {
                out.x = int16_t(x);
                out.y = int16_t(y);
                return;
            }
        }
    }
}

void AI::findFivePoint(int player, int historyIndex, ScoredMove& out) const {
    const ScoredMove stone = history.moves[historyIndex];
    for (int d = 0; d < kDirections; ++d) {
        for (int k = -4; k <= 4; ++k) {
            const int x = stone.x + k * kDx[d];
            const int y = stone.y + k * kDy[d];
            const Cell& cell = cells[y][x];
            if (cell.state == EMPTY && cell.hasPattern(player, Five)) {
                out.x = int16_t(x);
                out.y = int16_t(y);
                return;
            }
        }
    }
}

void AI::collectLineMoves(int player, int key, int historyIndex, LineMoveList& list) const {
    list.last = -1;
    const ScoredMove stone = history.moves[historyIndex];
    for (int d = 0; d < kDirections; ++d) {
        for (int k = -4; k <= 4; ++k) {
            const int x = stone.x + k * kDx[d];
            const int y = stone.y + k * kDy[d];
            const Cell& cell = cells[y][x];
            if (cell.state == EMPTY && cell.hasPattern(player, key)) {
                list.push({int16_t(x), int16_t(y), fixedCellScore[cellIndex(cell.codeBytes(who))]});
            }
        }
    }
    sortMoves(list.moves, list.size());
}

}  // namespace korvane
