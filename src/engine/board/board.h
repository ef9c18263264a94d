#pragma once

#include <cstdint>

#include "engine/board/cell.h"

namespace korvane {

// The grid in two redundant forms: 64-bit line words with two bits per cell (so the
// eight cells around any cell along a line are read with two shifts), and one Cell
// record per cell. Also owns the per-colour counts of the pattern codes of all empty
// cells, which the evaluation reads instead of scanning the board.
class Board {
public:
    uint64_t rowBits[kGrid];
    uint64_t colBits[kGrid];
    uint64_t diagBits[2 * kGrid - 1];
    uint64_t antiBits[2 * kGrid - 1];
    int32_t limit = kBorder + 15;
    Cell cells[kGrid][kGrid];
    // patternCount[c][p]: number of (empty cell, direction) pairs where colour c has code p.
    // Entry 0 of each row is not kept (nothing reads it).
    int32_t patternCount[3][kPatternCodes];

    // Empties the playing area, fills the wall and zeroes the pattern counts.
    void reset();

    int size() const { return limit - kBorder; }
    bool inside(int x, int y) const {
        return x >= kBorder && x < limit && y >= kBorder && y < limit;
    }

    // The line word holding cell (x, y) along direction d, and the cell's position in it.
    uint64_t& lineWord(int x, int y, int d) {
        switch (d) {
            case 0: return rowBits[y];
            case 1: return colBits[x];
            case 2: return diagBits[y - x + kGrid - 1];
            default: return antiBits[x + y];
        }
    }
    uint64_t lineWord(int x, int y, int d) const {
        return const_cast<Board*>(this)->lineWord(x, y, d);
    }
    static int linePosition(int x, int y, int d) { return d == 1 ? y : x; }

    // The empty cells of row y (kBorder <= y < limit) with a stone within three steps
    // along a line: bit 2x for cell x, the layout of the line words. These are the cells
    // whose `neighbours` count is not 0, read from seven row words instead of a scan.
    uint64_t nearStoneCells(int y) const {
        const uint64_t own = stoneBits(rowBits[y]);
        uint64_t near = own << 2 | own >> 2 | own << 4 | own >> 4 | own << 6 | own >> 6;
        for (int k = 1; k <= 3; ++k) {
            const uint64_t rows = stoneBits(rowBits[y - k]) | stoneBits(rowBits[y + k]);
            near |= rows | rows << 2 * k | rows >> 2 * k;
        }
        return near & ~(rowBits[y] | rowBits[y] >> 1) & kLowBits;
    }

    // The 16-bit key of the eight cells around (x, y) along d; (x, y) must be playable.
    uint16_t lineKey(int x, int y, int d) const {
        uint64_t w = lineWord(x, y, d);
        int p = linePosition(x, y, d);
        return uint16_t(((w >> (2 * p - 8)) & 0x00FF) | ((w >> (2 * p - 6)) & 0xFF00));
    }

protected:
    void setLineCode(int x, int y, uint64_t code);

private:
    // The low bit of every cell's two in a line word.
    static constexpr uint64_t kLowBits = 0x5555555555555555ull;
    // The low bit of each cell that holds a stone (code 1 or 2, not empty or wall).
    static uint64_t stoneBits(uint64_t word) { return (word ^ word >> 1) & kLowBits; }
};

}  // namespace korvane
