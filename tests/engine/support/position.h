#pragma once

// Sets up test positions from text diagrams and checks that searches leave them alone.
// In a diagram 'X' is a stone of colour 1, 'O' one of colour 2, '.' an empty cell; blanks
// are ignored, so "X . O" and "X.O" are the same row.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ai.h"

namespace korvane::test {

// Board-internal coordinates of a wire point.
inline ScoredMove at(int wireX, int wireY) {
    return {int16_t(wireX + kBorder), int16_t(wireY + kBorder), 0};
}

// The stones of a diagram per colour in reading order; lower-case 'x' and 'o' are put
// after the others of their colour, so they are that colour's last moves.
struct DiagramStones {
    std::vector<ScoredMove> stones[3];
    std::vector<ScoredMove> lastStones[3];

    // Reads one row whose cells start at internal column `left` on internal row `y`.
    void readRow(std::string_view row, int left, int y) {
        int x = left;
        for (char c : row) {
            if (c == ' ') continue;
            const ScoredMove cell{int16_t(x), int16_t(y), 0};
            if (c == 'X' || c == 'O')
                stones[c == 'X' ? BLACK : WHITE].push_back(cell);
            else if (c == 'x' || c == 'o')
                lastStones[c == 'x' ? BLACK : WHITE].push_back(cell);
            else if (c != '.')
                ADD_FAILURE() << "unknown diagram character '" << c << "'";
            ++x;
        }
    }
    // Every stone of `colour`, the marked last ones at the end.
    std::vector<ScoredMove> inOrder(int colour) const {
        std::vector<ScoredMove> all = stones[colour];
        all.insert(all.end(), lastStones[colour].begin(), lastStones[colour].end());
        return all;
    }
};

// Sets up rows of a diagram on a new game of the engine's current size, the first row
// on internal row `top`, each row from internal column `left`. Colour 1 plays first and
// X and O alternate in reading order. When one colour runs out while the other still has
// stones, the missing turns are played as filler stones on a knight's path from the
// board's bottom-right corner (one line never holds two of them), and so is a last turn
// when `toMove` (1 or 2) differs from the side the diagram leaves to move. Fillers make
// patterns of their own there: tests that count patterns exactly use diagrams with as
// many X as O (or one more).
inline void setPosition(AI& ai, std::initializer_list<std::string_view> rows, int left = kBorder,
                        int top = kBorder, int toMove = 0) {
    DiagramStones diagram;
    int y = top;
    for (std::string_view row : rows) diagram.readRow(row, left, y++);
    const std::vector<ScoredMove> stones[3] = {{}, diagram.inOrder(BLACK), diagram.inOrder(WHITE)};

    ai.resetGame();
    int fillers = 0;
    auto play = [&](int x, int py) {
        ASSERT_TRUE(ai.isFree(x, py)) << "cell " << x << "," << py << " is taken";
        ai.makeMove(x, py);
    };
    auto playFiller = [&] {
        play(ai.limit - 1 - fillers, ai.limit - 1 - 2 * fillers);
        ++fillers;
    };
    size_t next[3] = {0, 0, 0};
    while (next[BLACK] < stones[BLACK].size() || next[WHITE] < stones[WHITE].size()) {
        const int colour = ai.who;
        if (next[colour] < stones[colour].size()) {
            const ScoredMove m = stones[colour][next[colour]++];
            play(m.x, m.y);
        } else {
            playFiller();
        }
    }
    if (toMove != 0 && ai.who != toMove) playFiller();
}

// Starts a new game of the given size and plays a whole-board diagram (rows are lines,
// the top row is y = 0, empty lines are skipped). The colours must alternate: there are
// as many X as O, or one more. Leaves ply at 0, as at the root of a search.
inline void setUp(AI& ai, std::string_view text, int size = 15) {
    DiagramStones diagram;
    int y = kBorder;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view row = text.substr(0, end);
        if (row.find_first_not_of(' ') != std::string_view::npos)
            diagram.readRow(row, kBorder, y++);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    const std::vector<ScoredMove> blacks = diagram.inOrder(BLACK);
    const std::vector<ScoredMove> whites = diagram.inOrder(WHITE);
    ASSERT_TRUE(blacks.size() == whites.size() || blacks.size() == whites.size() + 1)
        << "colours must alternate";

    ai.limit = size + kBorder;
    ai.resetGame();
    for (size_t i = 0; i < blacks.size() + whites.size(); ++i) {
        const ScoredMove m = (i % 2 == 0 ? blacks : whites)[i / 2];
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
