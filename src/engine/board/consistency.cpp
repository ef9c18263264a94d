#include <algorithm>
#include <cstring>

#include "engine/ai.h"
#include "engine/board/pattern_table.h"

namespace korvane {

namespace {

// The position rebuilt from the stones of the history alone.
struct Rebuilt {
    uint8_t state[kGrid][kGrid];
    int xMin = 28, xMax = 4, yMin = 28, yMax = 4;
    uint64_t hashKey = 0;

    int at(int x, int y) const {
        return x < 0 || y < 0 || x >= kGrid || y >= kGrid ? int(WALL) : int(state[y][x]);
    }
    uint16_t key(int x, int y, int d) const {
        uint16_t k = 0;
        int bit = 0;
        for (int step = -4; step <= 4; ++step) {
            if (step == 0) continue;
            k |= uint16_t(at(x + step * kDx[d], y + step * kDy[d]) << bit);
            bit += 2;
        }
        return k;
    }
    int neighbours(int x, int y) const {
        int n = 0;
        for (int d = 0; d < kDirections; ++d)
            for (int step = -3; step <= 3; ++step) {
                int c = at(x + step * kDx[d], y + step * kDy[d]);
                n += step != 0 && (c == BLACK || c == WHITE);
            }
        return n;
    }
};

}  // namespace

bool AI::isConsistent() const {
    Rebuilt r;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) r.state[y][x] = inside(x, y) ? EMPTY : WALL;
    for (int i = 0; i <= history.last; ++i) {
        const ScoredMove& m = history.moves[i];
        const int colour = i % 2 == 0 ? BLACK : WHITE;
        if (!inside(m.x, m.y) || r.state[m.y][m.x] != EMPTY) return false;
        r.state[m.y][m.x] = uint8_t(colour);
        r.hashKey ^= zobrist[colour][m.y][m.x];
        r.xMin = std::max(kBorder, std::min(r.xMin, m.x - 3));
        r.yMin = std::max(kBorder, std::min(r.yMin, m.y - 3));
        r.xMax = std::min(limit, std::max(r.xMax, m.x + 4));
        r.yMax = std::min(limit, std::max(r.yMax, m.y + 4));
    }
    const bool blackToMove = history.last % 2 != 0;
    if (who != (blackToMove ? BLACK : WHITE) || opp != (blackToMove ? WHITE : BLACK)) return false;
    if (boxHistory.last != history.last || hashKey != r.hashKey) return false;
    if (xMin != r.xMin || xMax != r.xMax || yMin != r.yMin || yMax != r.yMax) return false;

    int32_t counts[3][kPatternCodes] = {};
    for (int y = 0; y < kGrid; ++y) {
        const uint64_t near = y >= kBorder && y < limit ? nearStoneCells(y) : 0;
        for (int x = 0; x < kGrid; ++x) {
            const Cell& cell = cells[y][x];
            if (cell.state != r.state[y][x] || cell.neighbours != r.neighbours(x, y)) return false;
            const bool expected = cell.state == EMPTY && cell.neighbours > 0 && inside(x, y);
            if ((near >> 2 * x & 1) != uint64_t(expected)) return false;
            for (int d = 0; d < kDirections; ++d) {
                const int shift = 2 * linePosition(x, y, d);
                if (int((lineWord(x, y, d) >> shift) & 3) != r.state[y][x]) return false;
            }
            if (cell.state != EMPTY) continue;
            for (int d = 0; d < kDirections; ++d) {
                const uint16_t key = r.key(x, y, d);
                if (lineKey(x, y, d) != key) return false;
                for (int c = BLACK; c <= WHITE; ++c) {
                    if (cell.pattern(c, d) != patternTable[c][key]) return false;
                    ++counts[c][cell.pattern(c, d)];
                }
            }
        }
    }
    for (int c = BLACK; c <= WHITE; ++c)
        for (int p = 1; p < kPatternCodes; ++p)
            if (counts[c][p] != patternCount[c][p]) return false;
    return true;
}

}  // namespace korvane
