#pragma once

// Sets up test positions from text diagrams and checks that searches leave them alone.

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "engine/ai.h"

namespace korvane::test {

// Board-internal coordinates of a wire point.
inline ScoredMove at(int wireX, int wireY) {
    return {int16_t(wireX + kBorder), int16_t(wireY + kBorder), 0};
}

// Starts a new game of the given size and plays the stones of the diagram. Rows are
// lines, top row is y = 0; blanks are ignored, so "X . O" and "X.O" are the same row.
// 'X' is colour 1, 'O' colour 2, '.' empty. Colours alternate starting with colour 1;
// within a colour stones go in reading order, except that lower-case 'x' and 'o' are
// that colour's last stones, so they fix which moves the history ends with. Leaves
// ply at 0, as at the root of a search.
inline void setUp(AI& ai, std::string_view diagram, int size = 15) {
    std::vector<ScoredMove> stones[3];
    std::vector<ScoredMove> lastStones[3];
    int x = 0, y = 0;
    for (char c : diagram) {
        if (c == '\n') {
            if (x > 0) ++y;
            x = 0;
            continue;
        }
        if (c == ' ') continue;
        if (c == 'X') stones[BLACK].push_back(at(x, y));
        if (c == 'O') stones[WHITE].push_back(at(x, y));
        if (c == 'x') lastStones[BLACK].push_back(at(x, y));
        if (c == 'o') lastStones[WHITE].push_back(at(x, y));
        ++x;
    }
    for (int colour : {BLACK, WHITE}) {
        stones[colour].insert(stones[colour].end(), lastStones[colour].begin(),
                              lastStones[colour].end());
    }
    const size_t blacks = stones[BLACK].size(), whites = stones[WHITE].size();
    ASSERT_TRUE(blacks == whites || blacks == whites + 1) << "colours must alternate";

    ai.limit = size + kBorder;
    ai.resetGame();
    for (size_t i = 0; i < blacks + whites; ++i) {
        const ScoredMove m = stones[i % 2 == 0 ? BLACK : WHITE][i / 2];
        ai.makeMove(m.x, m.y);
    }
    ai.ply = ai.maxPly = 0;
}

// What a search must give back: the stones in order, the side to move, ply and key.
struct BoardState {
    explicit BoardState(const AI& ai) : key(ai.hashKey), who(ai.who), ply(ai.ply) {
        for (int i = 0; i <= ai.history.last; ++i) {
            stones.emplace_back(ai.history.moves[i].x, ai.history.moves[i].y);
        }
    }
    bool operator==(const BoardState&) const = default;

    uint64_t key;
    int who;
    int ply;
    std::vector<std::pair<int, int>> stones;
};

inline void expectUnchanged(const AI& ai, const BoardState& before) {
    EXPECT_TRUE(ai.isConsistent());
    EXPECT_TRUE(BoardState(ai) == before) << "the search changed the board";
}

}  // namespace korvane::test
