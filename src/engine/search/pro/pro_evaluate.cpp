#include <algorithm>

#include "engine/eval/weights.h"
#include "engine/search/pro/pro_search.h"

namespace korvane {

namespace {

// Having the move is worth this much, and the side to move's shapes count this many
// eighths of the same shapes of the other side: it makes its threats first.
constexpr int kTempo = 40;
constexpr int kMoverEighths = 9;

}  // namespace

int ProSearch::evaluate() const {
    const int32_t* me = ai->patternCount[ai->who];
    const int32_t* you = ai->patternCount[ai->opp];
    int64_t sum = 0;
    for (int code = 1; code < kPatternCodes; ++code)
        sum += (int64_t(me[code]) * kMoverEighths - int64_t(you[code]) * 8) * evalWeights[code];
    sum = sum / 8 + kTempo;
    // A weighted sum is never a proof, whatever the weights.
    return int(std::clamp<int64_t>(sum, 1 - kDecided, kDecided - 1));
}

}  // namespace korvane
