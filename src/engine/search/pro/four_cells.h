#pragma once

#include "engine/ai.h"

namespace korvane {

// Calls visit(x, y, cell) for every empty cell where a stone of `colour` makes a four,
// in scan order. The scan ends as soon as the cells seen account for every four the
// pattern counts hold, which on most boards is well before the end of the box.
template <typename Visit>
void visitFourCells(const AI& b, int colour, Visit visit) {
    int unseen = b.patternCount[colour][Sleep4];
    for (int y = b.yMin; y < b.yMax && unseen > 0; ++y) {
        for (int x = b.xMin; x < b.xMax; ++x) {
            const Cell& cell = b.cells[y][x];
            if (cell.state != EMPTY || !cell.hasPattern(colour, Sleep4)) continue;
            for (int d = 0; d < kDirections; ++d) unseen -= cell.pattern(colour, d) == Sleep4;
            visit(x, y, cell);
            if (unseen <= 0) return;
        }
    }
}

}  // namespace korvane
