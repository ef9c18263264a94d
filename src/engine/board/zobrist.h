#pragma once

#include <cstdint>

#include "engine/board/cell.h"

namespace korvane {

// Fills the position keys from a fixed-seed generator, so that a search to a fixed
// depth visits the same nodes on every run.
void makeZobristKeys(uint64_t (&keys)[3][kGrid][kGrid]);

}  // namespace korvane
