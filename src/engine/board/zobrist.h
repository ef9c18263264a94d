#pragma once

#include <cstdint>

#include "engine/board/cell.h"

namespace korvane {

// The next number of the splitmix64 sequence whose state is `state`.
inline uint64_t splitMix64(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Fills the position keys from a fixed-seed generator, so that a search to a fixed
// depth visits the same nodes on every run.
void makeZobristKeys(uint64_t (&keys)[3][kGrid][kGrid]);

}  // namespace korvane
