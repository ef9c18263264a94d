#include "engine/board/zobrist.h"

namespace korvane {

namespace {

uint64_t splitMix64(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

void makeZobristKeys(uint64_t (&keys)[3][kGrid][kGrid]) {
    uint64_t state = 0x4B6F7276616E6521ull;
    for (auto& plane : keys)
        for (auto& row : plane)
            for (uint64_t& key : row) key = splitMix64(state);
}

}  // namespace korvane
