#pragma once

#include <cstdint>

#include "engine/board/cell.h"

namespace korvane {

// One move record: board-internal coordinates and an ordering score or verdict.
struct ScoredMove {
    int16_t x;
    int16_t y;
    int32_t score;
};
static_assert(sizeof(ScoredMove) == 8);

// A fixed-capacity list that carries the index of its last valid entry (-1 = empty).
template <int Capacity>
struct MoveListOf {
    static constexpr int capacity = Capacity;
    ScoredMove moves[Capacity];
    int32_t last = -1;

    int size() const { return last + 1; }
    void push(ScoredMove m) { moves[++last] = m; }
    ScoredMove pop() { return moves[last--]; }
};

using MoveList = MoveListOf<256>;
using LineMoveList = MoveListOf<32>;
using HistoryList = MoveListOf<kMaxCells>;

}  // namespace korvane
