#include "engine/eval/cell_score.h"

#include "engine/eval/weights.h"

namespace korvane {

int32_t fixedCellScore[kCellScoreEntries];
int32_t cellScore[kCellScoreEntries];
int32_t cellCodeScore[kPatternCodes];

namespace {

// Weights may be any integers, so sums wrap in 32 bits instead of overflowing.
int64_t fourTermSum(const int32_t* weights, int index) {
    return int64_t(weights[index / 1000]) + weights[index / 100 % 10] + weights[index / 10 % 10] +
           weights[index % 10];
}

}  // namespace

void buildFixedCellScore() {
    for (int i = 0; i < kCellScoreEntries; ++i)
        fixedCellScore[i] = int32_t(fourTermSum(defaultWeights, i));
}

void buildCellScore() {
    for (int code = 0; code < kPatternCodes; ++code)
        cellCodeScore[code] = int32_t(int64_t(defaultWeights[code]) + evalWeights[code]);
    for (int i = 0; i < kCellScoreEntries; ++i) {
        cellScore[i] = int32_t(fixedCellScore[i] + fourTermSum(evalWeights, i));
    }
}

}  // namespace korvane
