#include <algorithm>
#include <cassert>

#include "engine/ai.h"
#include "engine/board/pattern_table.h"

namespace korvane {

namespace {

constexpr int16_t packBox(int low, int high) {
    return int16_t(low << 8 | high);
}

}  // namespace

bool AI::isFree(int x, int y) const {
    return inside(x, y) && cells[y][x].state == EMPTY;
}

void AI::clearPosition() {
    reset();
    xMin = yMin = 28;
    xMax = yMax = 4;
    history.last = -1;
    boxHistory.last = -1;
    hashKey = 0;
    who = BLACK;
    opp = WHITE;
}

void AI::resetGame() {
    clearPosition();
    clearHashTable();
}

void AI::replayStones() {
    const HistoryList stones = history;
    const int32_t savedPly = ply;
    clearPosition();
    for (int i = 0; i <= stones.last; ++i) makeMove(stones.moves[i].x, stones.moves[i].y);
    ply = savedPly;
}

void AI::addNeighbours(int x, int y, int step) {
    for (int d = 0; d < kDirections; ++d) {
        for (int k = 1; k <= 3; ++k) {
            cells[y + k * kDy[d]][x + k * kDx[d]].neighbours += step;
            cells[y - k * kDy[d]][x - k * kDx[d]].neighbours += step;
        }
    }
}

void AI::makeMove(int x, int y) {
    assert(isFree(x, y) && history.last + 1 < HistoryList::capacity);
    boxHistory.push({packBox(xMin, xMax), packBox(yMin, yMax), 0});
    xMin = std::max(kBorder, std::min(xMin, x - 3));
    yMin = std::max(kBorder, std::min(yMin, y - 3));
    xMax = std::min(limit, std::max(xMax, x + 4));
    yMax = std::min(limit, std::max(yMax, y + 4));
    hashKey ^= zobrist[who][y][x];

    const uint64_t code = uint64_t(who);
    rowBits[y] |= code << 2 * x;
    colBits[x] |= code << 2 * y;
    diagBits[y - x + kGrid - 1] |= code << 2 * x;
    antiBits[x + y] |= code << 2 * x;
    addNeighbours(x, y, 1);

    // An occupied cell no longer counts; its codes stay as they were for unmakeMove.
    Cell& cell = cells[y][x];
    PatternDelta delta;
    for (int d = 0; d < kDirections; ++d) delta.remove(cell.patterns[d]);
    cell.state = uint8_t(who);
    updateLines(x, y, delta);

    history.push({int16_t(x), int16_t(y), 0});
    ++ply;
    std::swap(who, opp);
    maxPly = std::max(maxPly, ply);
}

void AI::unmakeMove(int x, int y) {
    assert(history.last >= 0 && history.moves[history.last].x == x &&
           history.moves[history.last].y == y);
    ScoredMove box = boxHistory.pop();
    xMin = box.x >> 8;
    xMax = box.x & 0xFF;
    yMin = box.y >> 8;
    yMax = box.y & 0xFF;
    hashKey ^= zobrist[opp][y][x];

    rowBits[y] &= ~(uint64_t(3) << 2 * x);
    colBits[x] &= ~(uint64_t(3) << 2 * y);
    diagBits[y - x + kGrid - 1] &= ~(uint64_t(3) << 2 * x);
    antiBits[x + y] &= ~(uint64_t(3) << 2 * x);
    addNeighbours(x, y, -1);

    // The lines around the cell are as they were when the stone was placed, so its
    // kept codes are still right and count again.
    Cell& cell = cells[y][x];
    cell.state = EMPTY;
    PatternDelta delta;
    for (int d = 0; d < kDirections; ++d) delta.add(cell.patterns[d]);
    updateLines(x, y, delta);

    --history.last;
    --ply;
    std::swap(who, opp);
}

namespace {

// Refreshes cell (x, y) + K steps along direction D, given the 17-cell segment of the
// line centred on (x, y): cell K sits at bits 2 (8 + K), so every shift is a constant.
// Branch-free: the table is read for every cell and a select keeps the codes of
// occupied and wall cells.
template <int D, int K>
inline void refreshCell(Cell* centre, uint64_t segment, PatternDelta& delta) {
    constexpr int at = 2 * (8 + K);
    constexpr int stride = kDy[D] * kGrid + kDx[D];
    Cell& e = centre[K * stride];
    const bool empty = ((segment >> at) & 3) == EMPTY;
    const uint32_t key =
        uint32_t(((segment >> (at - 8)) & 0x00FF) | ((segment >> (at - 6)) & 0xFF00));
    const uint8_t fresh = patternPair[key];
    const uint8_t old = e.patterns[D];
    const uint8_t now = empty ? fresh : old;
    e.patterns[D] = now;
    delta.replace(old, now);
}

template <int D>
inline void refreshLine(Cell* centre, uint64_t word, int position, PatternDelta& delta) {
    // Cells before the start of the line read as wall.
    const uint64_t segment =
        position >= 8 ? word >> (2 * position - 16)
                      : (word << (16 - 2 * position)) | ((uint64_t(1) << (16 - 2 * position)) - 1);
    refreshCell<D, -4>(centre, segment, delta);
    refreshCell<D, -3>(centre, segment, delta);
    refreshCell<D, -2>(centre, segment, delta);
    refreshCell<D, -1>(centre, segment, delta);
    refreshCell<D, 1>(centre, segment, delta);
    refreshCell<D, 2>(centre, segment, delta);
    refreshCell<D, 3>(centre, segment, delta);
    refreshCell<D, 4>(centre, segment, delta);
}

}  // namespace

// Refreshes, in each direction, the codes of the empty cells up to four steps away from
// (x, y). Each line word is read once for all eight cells of its line.
void AI::updateLines(int x, int y, PatternDelta delta) {
    Cell* centre = &cells[y][x];
    refreshLine<0>(centre, rowBits[y], x, delta);
    refreshLine<1>(centre, colBits[x], y, delta);
    refreshLine<2>(centre, diagBits[y - x + kGrid - 1], x, delta);
    refreshLine<3>(centre, antiBits[x + y], x, delta);
    delta.applyTo(patternCount);
}

}  // namespace korvane
