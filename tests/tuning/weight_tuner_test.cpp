#include "tuning/weight_tuner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/eval/weights.h"

namespace korvane {
namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// Runs the test body in a fresh temporary working directory (the tuner writes there).
class InTemporaryFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("korvane-tuner-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        std::copy(evalWeights, evalWeights + kPatternCodes, saved);
    }
    void TearDown() override {
        std::copy(saved, saved + kPatternCodes, evalWeights);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
    std::filesystem::path previous;
    int32_t saved[kPatternCodes];
};

TEST(WeightTuner, DepthIsClampedAndWeightsFormatted) {
    EXPECT_EQ(clampTuningDepth(1), 2);
    EXPECT_EQ(clampTuningDepth(-7), 2);
    EXPECT_EQ(clampTuningDepth(5), 5);
    EXPECT_EQ(clampTuningDepth(15), 10);
    const int32_t weights[kPatternCodes] = {0, -3, 1, 2, 4, 12, 15, 21, 30, 40};
    EXPECT_EQ(formatWeights(weights), "0 -3 1 2 4 12 15 21 30 40 ");
}

TEST_F(InTemporaryFolder, RecordsAndLogsHaveTheirShapes) {
    appendRecord(3, defaultWeights);
    appendLog("best:curr %d-%d", 2, 6);
    EXPECT_EQ(readLines("evalfix.txt"),
              std::vector<std::string>{"ct:3[0 0 1 2 4 12 15 21 30 40 ]"});
    EXPECT_EQ(readLines("evalfix.log"), std::vector<std::string>{"best:curr 2-6"});
}

TEST_F(InTemporaryFolder, OneTrialPlaysEightGamesAndLogsTheMatch) {
    Engine engine;
    engine.newGame(9);
    engine.setTimeLeft(60);  // a 20 ms budget per move
    WeightTuner tuner(engine);
    EXPECT_EQ(engine.ai().showMessages, 0);
    int progressCalls = 0;
    tuner.run(1, 1, [&](int trial, int trials) {
        EXPECT_EQ(trial, 0);
        EXPECT_EQ(trials, 1);
        ++progressCalls;
    });
    EXPECT_EQ(progressCalls, 1);
    EXPECT_EQ(engine.ai().maxDepth, 2);
    EXPECT_TRUE(engine.ai().isConsistent());
    for (int k = 1; k < kPatternCodes; ++k) {
        EXPECT_GE(tuner.candidate[k], 0);
        EXPECT_LE(std::abs(tuner.candidate[k] - tuner.reference[k]), 5);
    }

    const std::vector<std::string> log = readLines("evalfix.log");
    ASSERT_EQ(log.size(), 3u);
    ASSERT_EQ(log[0].size(), std::string("best:curr 2-6").size());
    EXPECT_EQ(log[0].substr(0, 10), "best:curr ");
    EXPECT_EQ((log[0][10] - '0') + (log[0][12] - '0'), 8);
    EXPECT_EQ(log[1], "sc_best:" + formatWeights(tuner.reference));
    EXPECT_EQ(log[2], "sc_curr:" + formatWeights(tuner.candidate));
    const int wins = log[0].back() - '0';
    const std::vector<std::string> records = readLines("evalfix.txt");
    if (wins >= 6) {
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0], "ct:1[" + formatWeights(tuner.reference) + "]");
        EXPECT_EQ(records[1], "ct:0[" + formatWeights(tuner.candidate) + "]");
    } else {
        EXPECT_TRUE(records.empty());
    }
}

TEST(WeightTuner, EndingTheTunerRestoresTheReport) {
    Engine engine;
    {
        WeightTuner tuner(engine);
        EXPECT_EQ(engine.ai().showMessages, 0);
        EXPECT_EQ(engine.ai().turnTimeout, 10000);
        tuner.run(3, 0, [](int, int) { FAIL() << "no trial runs"; });
    }
    EXPECT_EQ(engine.ai().showMessages, 1);
    EXPECT_EQ(engine.ai().maxDepth, 3);
}

}  // namespace
}  // namespace korvane
