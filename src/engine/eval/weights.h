#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "engine/board/cell.h"

namespace korvane {

using Weights = std::array<int32_t, kPatternCodes>;

// Weight per pattern code, read by the static evaluation and the cell-score table.
extern int32_t evalWeights[kPatternCodes];
// The built-in weights.
inline constexpr int32_t defaultWeights[kPatternCodes] = {0, 0, 1, 2, 4, 12, 15, 21, 30, 40};

// Reads up to ten integers into evalWeights, index 0 first. A token that is not a
// number stores 0 and ends the reading; a number beyond 32 bits stores the nearer limit
// and ends it; the end of input ends it leaving the remaining weights as they were.
void readWeights(std::istream& in);
// Reads the weight file at `path`; false when it cannot be opened (weights unchanged).
bool loadWeights(const std::string& path);

}  // namespace korvane
