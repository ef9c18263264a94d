// korvane-fit GAME-FILE...: fits Korvane Pro's evaluation to the outcomes of saved games
// (the match tool's game files), starting from the weights in force, and prints the
// fitted weights in the layout of kProWeights.
#include <cmath>
#include <cstdio>
#include <fstream>

#include "tuning/eval_fit.h"

int main(int argc, char** argv) {
    using namespace korvane;
    constexpr int kSteps = 3000;
    Engine engine;
    std::vector<FitSample> samples;
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i]);
        if (const auto game = readGameRecord(file)) collectSamples(engine, *game, samples);
    }
    const FitWeights start = toFitWeights(kProWeights);
    const double scale = fitScale(samples, start);
    const FitWeights fitted = fitWeights(samples, start, scale, kSteps);
    std::printf("%zu positions, scale %.1f, loss %.5f before, %.5f after\n", samples.size(), scale,
                fitLoss(samples, start, scale), fitLoss(samples, fitted, scale));
    auto print = [&fitted](int from, int count) {
        for (int i = from; i < from + count; ++i)
            std::printf("%s%ld", i == from ? "{" : ", ", std::lround(fitted[i]));
        std::printf("}");
    };
    print(0, kPatternCodes);
    std::printf(", ");
    print(kPatternCodes, kPatternCodes);
    std::printf(", %ld, %ld, %ld\n", std::lround(fitted[kFitTempo]),
                std::lround(fitted[kFitTempo + 1]), std::lround(fitted[kFitTempo + 2]));
}
