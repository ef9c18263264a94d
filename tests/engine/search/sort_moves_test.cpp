#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/search/sort_moves.h"

namespace korvane {
namespace {

// Lists of every length up to the largest board, with few distinct scores so that ties
// are common; x records the insertion order so that stability shows in the result.
TEST(SortMoves, MatchesStableSortHighestFirstForShortAndLongLists) {
    std::mt19937 rng(7);
    std::vector<int> lengths;
    for (int n = 0; n <= 70; ++n) lengths.push_back(n);
    for (int n : {95, 96, 97, 128, 129, 255, 256, 257, 500, 575, 576}) lengths.push_back(n);
    for (int n : lengths) {
        for (int spread : {3, 1000}) {
            std::vector<ScoredMove> moves(n);
            for (int i = 0; i < n; ++i) {
                moves[i] = {int16_t(i), int16_t(n), int32_t(rng() % spread) - spread / 2};
            }
            std::vector<ScoredMove> expected = moves;
            std::stable_sort(
                expected.begin(), expected.end(),
                [](const ScoredMove& a, const ScoredMove& b) { return a.score > b.score; });
            sortMoves(moves.data(), n);
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(moves[i].x, expected[i].x) << "length " << n << " index " << i;
                ASSERT_EQ(moves[i].score, expected[i].score) << "length " << n << " index " << i;
            }
        }
    }
}

}  // namespace
}  // namespace korvane
