#pragma once

#include <cstdint>

#include "engine/board/cell.h"

namespace korvane {

namespace pattern_lanes {

// Code c (1..9) of one colour is the 7-bit lane c - 1 of a 64-bit word; code 0 has none.
constexpr uint64_t lane(int code) {
    return code == 0 ? 0 : uint64_t(1) << (7 * (code - 1));
}
constexpr int kBias = 64;
constexpr uint64_t allBiased() {
    uint64_t sum = 0;
    for (int code = 1; code < kPatternCodes; ++code) sum += kBias * lane(code);
    return sum;
}

// The lanes of both colours' codes packed in one byte (colour 1 in the low nibble), as
// a two-word vector so that one vector subtraction and addition serve both colours.
using PairLanes = uint64_t __attribute__((vector_size(16)));
constexpr PairLanes pairLanes(int pair) {
    const int c1 = pair & 0xF, c2 = pair >> 4;
    return PairLanes{c1 < kPatternCodes ? lane(c1) : 0, c2 < kPatternCodes ? lane(c2) : 0};
}
struct PairLanesTable {
    PairLanes entry[256];
};
constexpr PairLanesTable makeTable() {
    PairLanesTable table{};
    for (int pair = 0; pair < 256; ++pair) table.entry[pair] = pairLanes(pair);
    return table;
}
inline constexpr PairLanesTable kPairLanes = makeTable();

}  // namespace pattern_lanes

// Accumulates the changes one move makes to patternCount in registers instead of
// memory: each colour's codes 1..9 are 7-bit lanes of one 64-bit word, biased by 64 so
// that no lane borrows (one move changes a count by at most 36). Entry 0 of the
// counts is not tracked.
class PatternDelta {
public:
    // Replaces one cell-direction's pair of codes (both colours in one byte).
    void replace(uint8_t oldPair, uint8_t newPair) {
        lanes +=
            pattern_lanes::kPairLanes.entry[newPair] - pattern_lanes::kPairLanes.entry[oldPair];
    }
    void add(uint8_t pair) { replace(0, pair); }
    void remove(uint8_t pair) { replace(pair, 0); }

    void applyTo(int32_t (&counts)[3][kPatternCodes]) const {
        for (int code = 1; code < kPatternCodes; ++code) {
            const int shift = 7 * (code - 1);
            counts[1][code] += int((lanes[0] >> shift) & 127) - pattern_lanes::kBias;
            counts[2][code] += int((lanes[1] >> shift) & 127) - pattern_lanes::kBias;
        }
    }

private:
    pattern_lanes::PairLanes lanes = {pattern_lanes::allBiased(), pattern_lanes::allBiased()};
};

}  // namespace korvane
