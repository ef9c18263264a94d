#include "engine/board/zobrist.h"

namespace korvane {

void makeZobristKeys(uint64_t (&keys)[3][kGrid][kGrid]) {
    uint64_t state = 0x4B6F7276616E6521ull;
    for (auto& plane : keys)
        for (auto& row : plane)
            for (uint64_t& key : row) key = splitMix64(state);
}

}  // namespace korvane
