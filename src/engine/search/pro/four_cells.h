#pragma once

#include <bit>

#include "engine/ai.h"

namespace korvane {

// Calls visit(x, y, cell) for every empty cell where a stone of `colour` makes a four,
// in scan order. The scan ends as soon as the cells seen account for every four the
// pattern counts hold, which on most boards is well before the end of the box.
template <typename Visit>
void visitFourCells(const AI& b, int colour, Visit visit) {
    int unseen = b.patternCount[colour][Sleep4];
    for (int y = b.yMin; y < b.yMax && unseen > 0; ++y) {
        // A four's cell has stones of the four within three steps.
        for (uint64_t near = b.nearStoneCells(y); near != 0; near &= near - 1) {
            const int x = std::countr_zero(near) / 2;
            const Cell& cell = b.cells[y][x];
            if (!cell.hasPattern(colour, Sleep4)) continue;
            for (int d = 0; d < kDirections; ++d) unseen -= cell.pattern(colour, d) == Sleep4;
            visit(x, y, cell);
            if (unseen <= 0) return;
        }
    }
}

}  // namespace korvane
