#pragma once

#include <cstdint>

namespace korvane {

// Two-bit cell codes, as stored in the line words and in Cell::state.
enum CellCode : int { EMPTY = 0, BLACK = 1, WHITE = 2, WALL = 3 };

// The shape a stone of one colour placed on an empty cell would make along one line.
enum Pattern : int {
    None = 0,
    Sleep2 = 1,
    Live2b = 2,
    live2l = 3,
    SLeep3 = 4,
    Live3b = 5,
    Live3l = 6,
    Sleep4 = 7,
    Live4 = 8,
    Five = 9,
};
inline constexpr int kPatternCodes = 10;

// Grid geometry: a 32 x 32 grid whose playing area starts at 4 on both axes.
inline constexpr int kGrid = 32;
inline constexpr int kBorder = 4;
inline constexpr int kMinSize = 9;
inline constexpr int kMaxSize = 24;
// The cells of the largest board: the most stones a game can hold.
inline constexpr int kMaxCells = kMaxSize * kMaxSize;

// Directions 0..3: along a row, a column, the diagonal and the anti-diagonal.
inline constexpr int kDirections = 4;
inline constexpr int kDx[kDirections] = {1, 0, 1, 1};
inline constexpr int kDy[kDirections] = {0, 1, 1, -1};

// Per-cell record. The pattern codes of both colours for one direction share a byte
// (colour 1 in the low nibble, colour 2 in the high nibble) so that one table read
// and one store refresh a cell in updateLines.
struct Cell {
    uint8_t state;
    uint8_t neighbours;  // stones within three steps along the four lines
    uint8_t reserved[2];
    uint8_t patterns[kDirections];

    int pattern(int colour, int direction) const {
        return (patterns[direction] >> (4 * (colour - 1))) & 0xF;
    }
    // Codes of one colour in the four directions, one per byte.
    uint32_t codeBytes(int colour) const {
        uint32_t word = uint32_t(patterns[0]) | uint32_t(patterns[1]) << 8 |
                        uint32_t(patterns[2]) << 16 | uint32_t(patterns[3]) << 24;
        return (word >> (4 * (colour - 1))) & 0x0F0F0F0Fu;
    }
    // True when some direction has `code` for `colour`.
    bool hasPattern(int colour, int code) const {
        uint32_t diff = codeBytes(colour) ^ (0x01010101u * uint32_t(code));
        return ((diff - 0x01010101u) & ~diff & 0x80808080u) != 0;
    }
};
static_assert(sizeof(Cell) == 8);

}  // namespace korvane
