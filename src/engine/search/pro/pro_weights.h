#pragma once

#include <cstdint>

#include "engine/ai.h"

namespace korvane {

// Korvane Pro's evaluation, in the units of the pattern weights: per pattern code a
// weight for the side to move's counts and one for the other side's, the value of having
// the move, and the other side's cells where one stone makes two fours, or a four and an
// open three. korvane-fit fits them to the outcomes of saved games.
struct ProWeights {
    int32_t mine[kPatternCodes];
    int32_t theirs[kPatternCodes];
    int32_t tempo;
    int32_t theirDoubleFour;
    int32_t theirFourThree;
};

inline constexpr ProWeights kProWeights = {
    {0, 1, 3, 5, 3, 21, 15, 25, 34, 45}, {0, 0, 2, 4, 4, 20, 1, 29, 118, 40}, 45, 23, 108};

struct FourCombos {
    int doubleFours = 0;
    int fourThrees = 0;
};
// The empty cells where one stone of `colour` makes two fours, or a four and an open
// three (the two counted apart).
FourCombos countFourCombos(const AI& b, int colour);

}  // namespace korvane
