#include "tuning/eval_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace korvane {
namespace {

std::optional<GameRecord> parse(const std::string& result) {
    std::istringstream in(
        "game 3, size 15, rule 1\n"
        "opening stones: 7,7 8,7 8,10\n"
        "moves (x,y colour ms):\n"
        "   4. 7,6 white 194\n"
        "   5. 6,8 black 104\n" +
        result + "\n");
    return readGameRecord(in);
}

TEST(EvalFit, ReadsOnlyGamesDecidedOnTheBoard) {
    const auto game = parse("result: 0-1 pro wins, five");
    ASSERT_TRUE(game);
    EXPECT_EQ(game->size, 15);
    EXPECT_EQ(game->rule, 1);
    ASSERT_EQ(game->stones.size(), 5u);
    EXPECT_EQ(game->stones[3].x, 7);
    EXPECT_EQ(game->stones[3].y, 6);
    EXPECT_EQ(game->winner, WHITE);
    EXPECT_EQ(parse("result: 1/2-1/2, full board")->winner, 0);
    EXPECT_FALSE(parse("result: 1-0 pro wins, timeout"));
    EXPECT_FALSE(parse("result: aborted"));
}

TEST(EvalFit, LabelsEachPositionForTheSideToMove) {
    Engine engine;
    std::vector<FitSample> samples;
    collectSamples(engine, *parse("result: 0-1 pro wins, five"), samples);
    engine.setRule(0);  // the game's rule holds for the whole process; later tests play free-style
    // Positions before each of the five stones; the empty board has black to move.
    ASSERT_EQ(samples.size(), 5u);
    for (size_t i = 0; i < samples.size(); ++i) EXPECT_EQ(samples[i].score, i % 2 ? 1.0f : 0.0f);
    // The evaluation in force and the fit's reading of it agree.
    const FitWeights w = toFitWeights(kProWeights);
    EXPECT_EQ(evaluateSample(w, samples[0]), kProWeights.tempo);
}

TEST(EvalFit, RecoversAPlantedWeight) {
    // Scores drawn from a known logistic in one feature: the fit moves towards it.
    std::vector<FitSample> samples;
    for (int count = 0; count < 8; ++count) {
        for (int k = 0; k < 100; ++k) {
            FitSample s{};
            s.features[Live3b] = int16_t(count);
            const double p = 1 / (1 + std::exp(-(count * 30.0 - 100) / 100));
            s.score = k < p * 100 ? 1.0f : 0.0f;
            samples.push_back(s);
        }
    }
    FitWeights start{};
    for (FitSample& s : samples) s.features[kFitTempo] = 1;
    const FitWeights fitted = fitWeights(samples, start, 100, 3000);
    EXPECT_NEAR(fitted[Live3b], 30, 3);
    EXPECT_NEAR(fitted[kFitTempo], -100, 10);
    EXPECT_LT(fitLoss(samples, fitted, 100), fitLoss(samples, start, 100));
}

}  // namespace
}  // namespace korvane
