#pragma once

#include <string>

#include "engine/ai.h"

namespace korvane {

// The text picture of the board: column letters, one row of cells per board row with
// its number, and the column numbers below.
std::string printBoard(const AI& engine);
// The pattern counts of the side to move and of its opponent, three lines.
std::string printPatternCounts(const AI& engine);

}  // namespace korvane
