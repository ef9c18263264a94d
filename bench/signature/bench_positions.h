#pragma once

// The positions of the signature benchmark: moves in wire coordinates, played in order
// with colours alternating from colour 1. Openings are the Piskvork (15 x 15) and
// GomocupJudge (20 x 20) lists, shifted from their centre offsets.

#include <array>

namespace korvane::bench {

struct BenchPosition {
    const char* name;
    int size;
    const char* moves;
};

inline constexpr std::array<BenchPosition, 12> kBenchPositions = {{
    {"open15-a", 15, "7,7 8,7 8,10"},
    {"open15-b", 15, "7,7 8,8 7,10"},
    {"open15-c", 15, "7,7 8,7 8,8 7,8 9,6"},
    {"open15-d", 15, "7,7 8,8 6,8 8,6 6,9"},
    {"open20-a", 20, "3,2 4,1 7,1"},
    {"open20-b", 20, "8,1 6,1 4,1 8,9 7,9 5,4 6,5"},
    {"open24", 24, "11,11 12,12 10,12 12,10"},
    // X's open three on row 7; O to move must answer it.
    {"defend-three", 15, "7,7 7,8 6,7 9,9 8,7"},
    // X wins by fours, for instance (7,7), (7,9), then the double four (8,8).
    {"won-by-fours-a", 15,
     "10,6 0,0 4,7 14,0 5,7 11,5 6,7 0,7 9,7 3,7 7,8 7,11 9,9 11,11 7,10 0,14 10,10 14,14"},
    // X wins by the four (8,7) that also opens a three on column 8.
    {"won-by-fours-b", 15, "5,7 0,0 6,7 14,0 7,7 4,7 8,8 0,14 8,9 14,14"},
    // X has no win by fours alone; the four (7,7), then the double three (8,8) wins.
    {"won-by-threes", 15, "4,7 0,0 5,7 14,0 6,7 3,7 9,8 0,14 10,8 7,14 9,9 14,14"},
    // X has just made two open threes; O to move is lost.
    {"lost", 15, "4,7 0,0 5,7 14,0 6,7 3,7 7,7 8,7 9,8 0,14 10,8 7,14 9,9 14,14 8,8"},
}};

}  // namespace korvane::bench
