#pragma once

#include "engine/board/scored_move.h"

namespace korvane {

// Stable sort by score, highest first; equal scores keep their order. Allocation-free
// for up to kMaxCells entries (the cells of the largest board).
void sortMoves(ScoredMove* moves, int count);

}  // namespace korvane
