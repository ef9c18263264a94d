#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "engine/ai.h"

namespace korvane::test {

// Sets up a position from a text diagram on a new game of the engine's current size.
//
// Each string is one board row, top to bottom, starting at internal row `top`; within a
// row the cells run left to right from internal column `left`. 'X' is a stone of colour
// 1, 'O' one of colour 2, '.' an empty cell; blanks are ignored, so rows can be written
// "X . O". The stones are played with makeMove, colour 1 first, X and O alternating in
// reading order. When one colour runs out while the other still has stones, the missing
// turns are played as filler stones on a knight's path from the board's bottom-right
// corner (one line never holds two of them), and so is a last turn when `toMove` (1 or 2)
// differs from the side the diagram leaves to move. Fillers make patterns of their own
// there: tests that count patterns exactly use diagrams with as many X as O (or one more).
inline void setPosition(AI& ai, std::initializer_list<std::string_view> rows, int left = kBorder,
                        int top = kBorder, int toMove = 0) {
    struct Point {
        int x;
        int y;
    };
    std::vector<Point> stones[3];
    int y = top;
    for (std::string_view row : rows) {
        int x = left;
        for (char c : row) {
            if (c == ' ') continue;
            if (c == 'X' || c == 'O')
                stones[c == 'X' ? BLACK : WHITE].push_back({x, y});
            else if (c != '.')
                ADD_FAILURE() << "unknown diagram character '" << c << "'";
            ++x;
        }
        ++y;
    }
    ai.resetGame();
    int fillers = 0;
    auto play = [&](Point p) {
        ASSERT_TRUE(ai.isFree(p.x, p.y)) << "cell " << p.x << "," << p.y << " is taken";
        ai.makeMove(p.x, p.y);
    };
    auto playFiller = [&] {
        play({ai.limit - 1 - fillers, ai.limit - 1 - 2 * fillers});
        ++fillers;
    };
    size_t next[3] = {0, 0, 0};
    while (next[BLACK] < stones[BLACK].size() || next[WHITE] < stones[WHITE].size()) {
        const int colour = ai.who;
        if (next[colour] < stones[colour].size())
            play(stones[colour][next[colour]++]);
        else
            playFiller();
    }
    if (toMove != 0 && ai.who != toMove) playFiller();
}

}  // namespace korvane::test
