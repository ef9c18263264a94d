#pragma once

#include <cstdint>

namespace korvane {

// The time limits of one move on the engine clock, in milliseconds. The search starts no
// new iteration past `soft` and abandons the running one at `hard`.
struct MoveTimer {
    int64_t start;
    int64_t soft;
    int64_t hard;

    // From the manager's settings: the time per move, the time left in the match and the
    // match's total time (0: none).
    static MoveTimer plan(int64_t now, int32_t turnTimeout, int32_t timeLeft, int32_t matchTimeout);
    int64_t budget() const { return hard - start; }
};

}  // namespace korvane
