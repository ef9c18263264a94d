#pragma once

#include "engine/board/cell.h"
#include "engine/board/scored_move.h"

namespace korvane {

// A point as the protocol names it: zero-based column x and row y. Inside the engine a
// point is a cell of the grid, kBorder further in on both axes; these two functions are
// the only crossing between the two.
struct WirePoint {
    int x = 0;
    int y = 0;
};

inline ScoredMove toInternal(WirePoint p) {
    return {int16_t(p.x + kBorder), int16_t(p.y + kBorder), 0};
}
inline WirePoint toWire(ScoredMove m) {
    return {m.x - kBorder, m.y - kBorder};
}

}  // namespace korvane
