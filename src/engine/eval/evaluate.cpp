#include <algorithm>

#include "engine/ai.h"
#include "engine/eval/weights.h"

namespace korvane {

int AI::evaluate() const {
    const int32_t* me = patternCount[who];
    const int32_t* you = patternCount[opp];
    if (me[Five] != 0) return kWin - ply;
    if (you[Five] >= 2) return ply - kWin;
    if (me[Live4] != 0 && you[Five] == 0) return kWin - ply;
    int64_t sum = 0;
    for (int code = 1; code < kPatternCodes; ++code) {
        sum += int64_t(me[code] - you[code]) * evalWeights[code];
    }
    // A weighted sum is never a proof, whatever the weights: keep it inside the
    // undecided range (this also keeps every negation in the search defined).
    return int(std::clamp<int64_t>(sum, -kDecided, kDecided));
}

}  // namespace korvane
