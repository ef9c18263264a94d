#include "engine/board/board.h"

#include <cstring>

namespace korvane {

void Board::setLineCode(int x, int y, uint64_t code) {
    for (int d = 0; d < kDirections; ++d) {
        uint64_t& w = lineWord(x, y, d);
        int shift = 2 * linePosition(x, y, d);
        w = (w & ~(uint64_t(3) << shift)) | (code << shift);
    }
}

void Board::reset() {
    // Bits of diagonal words that belong to no grid cell stay 0.
    std::memset(diagBits, 0, sizeof(diagBits));
    std::memset(antiBits, 0, sizeof(antiBits));
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            uint8_t code = inside(x, y) ? EMPTY : WALL;
            cells[y][x] = Cell{};
            cells[y][x].state = code;
            setLineCode(x, y, code);
        }
    }
    std::memset(patternCount, 0, sizeof(patternCount));
}

}  // namespace korvane
