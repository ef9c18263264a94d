#pragma once

#include <cstdint>

#include "engine/board/cell.h"

namespace korvane {

inline constexpr int kCellScoreEntries = 10000;

// Score of an empty cell for one colour, indexed by its four direction codes.
// fixedCellScore follows the built-in weights (threat searches); cellScore adds the
// current weights on top (main move generator).
extern int32_t fixedCellScore[kCellScoreEntries];
extern int32_t cellScore[kCellScoreEntries];
// The share of one direction's code in cellScore: cellScore is the sum of the four.
extern int32_t cellCodeScore[kPatternCodes];

void buildFixedCellScore();
void buildCellScore();

// Index of a cell's four codes given one per byte, direction 0 in the lowest byte.
inline int cellIndex(uint32_t codeBytes) {
    return ((int(codeBytes & 0xFF) * 10 + int(codeBytes >> 8 & 0xFF)) * 10 +
            int(codeBytes >> 16 & 0xFF)) *
               10 +
           int(codeBytes >> 24);
}

}  // namespace korvane
