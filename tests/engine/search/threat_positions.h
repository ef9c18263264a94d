#pragma once

// Positions of the threat-search tests, shared with the clock tests. 15 x 15 boards;
// the stones in the corners only even out the colours.

#include <string_view>

namespace korvane::test {

// X to move wins by three fours: (7,7) (O blocks 8,7), (7,9) (O blocks 7,6), then (8,8)
// makes two fours, on the diagonal and on the anti-diagonal.
inline constexpr std::string_view kThreeFours = R"(
    O . . . . . . . . . . . . . O
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . O . . .
    . . . . . . . . . . X . . . .
    O . . O X X X . . X . . . . .
    . . . . . . . X . . . . . . .
    . . . . . . . . . X . . . . .
    . . . . . . . X . . X . . . .
    . . . . . . . O . . . O . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    O . . . . . . . . . . . . . O
)";

// The same after X's first four (7,7): O to move must block (8,7) and then loses.
inline constexpr std::string_view kLostAfterFour = R"(
    O . . . . . . . . . . . . . O
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . O . . .
    . . . . . . . . . . X . . . .
    O . . O X X X x . X . . . . .
    . . . . . . . X . . . . . . .
    . . . . . . . . . X . . . . .
    . . . . . . . X . . X . . . .
    . . . . . . . O . . . O . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    O . . . . . . . . . . . . . O
)";

// X to move has no win by fours alone: the four (7,7), O's block (8,7), then the three
// (8,8) opens two threes at once (diagonal 7,7-9,9 and row 8,8-10,8).
inline constexpr std::string_view kFourThenDoubleThree = R"(
    O . . . . . . . . . . . . . O
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . O X X X . . . . . . . .
    . . . . . . . . . X X . . . .
    . . . . . . . . . X . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    O . . . . . . O . . . . . . O
)";

// The same after the four (7,7): O to move must block (8,7) and then loses to the threes.
inline constexpr std::string_view kFourPlayedThenDoubleThree = R"(
    O . . . . . . . . . . . . . O
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . O X X X x . . . . . . .
    . . . . . . . . . X X . . . .
    . . . . . . . . . X . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    O . . . . . . O . . . . . . O
)";

// X has just made two open threes with (8,8); O to move cannot stop both.
inline constexpr std::string_view kDoubleThreePlayed = R"(
    O . . . . . . . . . . . . . O
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . O X X X X O . . . . . .
    . . . . . . . . x X X . . . .
    . . . . . . . . . X . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    . . . . . . . . . . . . . . .
    O . . . . . . O . . . . . . O
)";

}  // namespace korvane::test
