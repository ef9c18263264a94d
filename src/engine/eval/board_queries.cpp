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

namespace {

// Calls visit(x, y, cell) for the cells at offsets -4..4 on the four lines through
// `stone`, directions in order, until it returns true.
template <typename Visit>
void visitLineCells(const Cell (&cells)[kGrid][kGrid], ScoredMove stone, Visit visit) {
    for (int d = 0; d < kDirections; ++d) {
        for (int k = -4; k <= 4; ++k) {
            const int x = stone.x + k * kDx[d];
            const int y = stone.y + k * kDy[d];
            if (visit(x, y, cells[y][x])) return;
        }
    }
}

}  // namespace

void AI::findFivePoint(int player, int historyIndex, ScoredMove& out) const {
    visitLineCells(cells, history.moves[historyIndex], [&](int x, int y, const Cell& cell) {
        if (cell.state != EMPTY || !cell.hasPattern(player, Five)) return false;
        out.x = int16_t(x);
        out.y = int16_t(y);
        return true;
    });
}

void AI::collectLineMoves(int player, int key, int historyIndex, LineMoveList& list) const {
    list.last = -1;
    visitLineCells(cells, history.moves[historyIndex], [&](int x, int y, const Cell& cell) {
        if (cell.state == EMPTY && cell.hasPattern(player, key)) {
            list.push({int16_t(x), int16_t(y), fixedCellScore[cellIndex(cell.codeBytes(who))]});
        }
        return false;
    });
    sortMoves(list.moves, list.size());
}

}  // namespace korvane
