#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <sstream>

#include "engine/eval/weights.h"

namespace korvane {
namespace {

using Weights = std::array<int32_t, kPatternCodes>;

// Starts every test from the built-in weights and puts the process-wide ones back after.
class ReadWeights : public testing::Test {
protected:
    void SetUp() override {
        std::copy(std::begin(evalWeights), std::end(evalWeights), saved_.begin());
        std::copy(std::begin(defaultWeights), std::end(defaultWeights), evalWeights);
    }
    void TearDown() override { std::copy(saved_.begin(), saved_.end(), evalWeights); }

    static Weights read(const std::string& text) {
        std::istringstream in(text);
        readWeights(in);
        return current();
    }
    static Weights current() {
        Weights w;
        std::copy(std::begin(evalWeights), std::end(evalWeights), w.begin());
        return w;
    }

private:
    Weights saved_;
};

TEST_F(ReadWeights, ShortInputSetsOnlyTheLeadingWeights) {
    EXPECT_EQ(read(""), (Weights{0, 0, 1, 2, 4, 12, 15, 21, 30, 40}));
    EXPECT_EQ(read("5 7"), (Weights{5, 7, 1, 2, 4, 12, 15, 21, 30, 40}));
    EXPECT_EQ(read("-3\n"), (Weights{-3, 7, 1, 2, 4, 12, 15, 21, 30, 40}));
}

TEST_F(ReadWeights, WordSetsZeroAndStopsTheReading) {
    EXPECT_EQ(read("3 x 9"), (Weights{3, 0, 1, 2, 4, 12, 15, 21, 30, 40}));
    EXPECT_EQ(read("8 - 9"), (Weights{8, 0, 1, 2, 4, 12, 15, 21, 30, 40}));
}

TEST_F(ReadWeights, OnlyTenNumbersAreRead) {
    std::istringstream in("1 2 3 4 5 6 7 8 9 10 11 12");
    readWeights(in);
    EXPECT_EQ(current(), (Weights{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    int next = 0;
    EXPECT_TRUE(in >> next);
    EXPECT_EQ(next, 11);
}

TEST_F(ReadWeights, OverflowStoresTheNearerLimitAndStops) {
    EXPECT_EQ(read("1 99999999999 5"), (Weights{1, INT_MAX, 1, 2, 4, 12, 15, 21, 30, 40}));
    EXPECT_EQ(read("-99999999999999999999999 6"),
              (Weights{INT_MIN, INT_MAX, 1, 2, 4, 12, 15, 21, 30, 40}));
}

TEST_F(ReadWeights, LineEndsAndTabsReadLikeBlanks) {
    const Weights blanks = read("9 8 7 6 5 4 3 2 1 0");
    std::copy(std::begin(defaultWeights), std::end(defaultWeights), evalWeights);
    EXPECT_EQ(read("9\n8 7\t6\r\n5\n\n4 3 2\n1\n0\n"), blanks);
}

TEST_F(ReadWeights, MissingFileChangesNothing) {
    EXPECT_FALSE(loadWeights(testing::TempDir() + "no-such-folder/eval.txt"));
    EXPECT_EQ(current(), (Weights{0, 0, 1, 2, 4, 12, 15, 21, 30, 40}));
}

}  // namespace
}  // namespace korvane
