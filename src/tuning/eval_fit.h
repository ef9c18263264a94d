#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <vector>

#include "engine/engine.h"
#include "engine/search/pro/pro_weights.h"

namespace korvane {

// A game as the match tool saves it: the board, the rule, every stone from the opening
// on, and how it ended.
struct GameRecord {
    int size = 0;
    int rule = 0;
    std::vector<WirePoint> stones;
    // 1 black won, 2 white won, 0 a draw.
    int winner = 0;
};

// Reads one saved game; nothing for a game that did not end on the board (a fault, an
// aborted match) or for text that is not a saved game.
std::optional<GameRecord> readGameRecord(std::istream& in);

// Pro's evaluation is linear in these features, in this order: the side to move's
// pattern counts, the other side's negated, 1 for the move, and the other side's double
// fours and four-threes negated. A weight vector in the same order is the evaluation.
inline constexpr int kFitTempo = 2 * kPatternCodes;
inline constexpr int kFitFeatures = kFitTempo + 3;
using FitWeights = std::array<double, kFitFeatures>;

struct FitSample {
    std::array<int16_t, kFitFeatures> features;
    float score;  // the game's score for the side to move: 1, 1/2 or 0
};

// The positions of the game that reach the static evaluation in the search: neither
// side has a five to make and the side to move has no open four to make.
void collectSamples(Engine& engine, const GameRecord& game, std::vector<FitSample>& samples);

FitWeights toFitWeights(const ProWeights& weights);
double evaluateSample(const FitWeights& weights, const FitSample& sample);

// The mean logistic loss over the samples, a value v read as the score
// 1 / (1 + exp(-v / scale)).
double fitLoss(const std::vector<FitSample>& samples, const FitWeights& weights, double scale);
// The scale at which `weights` fit the samples best.
double fitScale(const std::vector<FitSample>& samples, const FitWeights& weights);
// Gradient descent (Adam) from `start` at a fixed scale. Code 0 is no shape and keeps
// its weight.
FitWeights fitWeights(const std::vector<FitSample>& samples, FitWeights start, double scale,
                      int steps);

}  // namespace korvane
