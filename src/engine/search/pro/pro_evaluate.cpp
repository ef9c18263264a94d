#include <algorithm>

#include "engine/search/pro/four_cells.h"
#include "engine/search/pro/pro_search.h"
#include "engine/search/pro/pro_weights.h"

namespace korvane {

FourCombos countFourCombos(const AI& b, int colour) {
    FourCombos combos;
    visitFourCells(b, colour, [&](int, int, const Cell& cell) {
        int fours = 0, threes = 0;
        for (int d = 0; d < kDirections; ++d) {
            const int p = cell.pattern(colour, d);
            fours += p == Sleep4 || p == Live4 ? 1 : 0;
            threes += p == Live3b || p == Live3l ? 1 : 0;
        }
        if (fours >= 2)
            ++combos.doubleFours;
        else if (threes >= 1)
            ++combos.fourThrees;
    });
    return combos;
}

int ProSearch::evaluate() const {
    const ProWeights& w = kProWeights;
    const int32_t* me = ai->patternCount[ai->who];
    const int32_t* you = ai->patternCount[ai->opp];
    int64_t sum = w.tempo;
    for (int code = 1; code < kPatternCodes; ++code)
        sum += int64_t(me[code]) * w.mine[code] - int64_t(you[code]) * w.theirs[code];
    // The other side's four combinations are threats to answer at once; only a side with
    // a four to make has them.
    if (you[Sleep4] > 0) {
        const FourCombos combos = countFourCombos(*ai, ai->opp);
        sum -= int64_t(combos.doubleFours) * w.theirDoubleFour +
               int64_t(combos.fourThrees) * w.theirFourThree;
    }
    // A weighted sum is never a proof.
    return int(std::clamp<int64_t>(sum, 1 - kDecided, kDecided - 1));
}

}  // namespace korvane
