#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "engine/ai.h"

namespace korvane {
namespace {

TEST(Board, Placeholder) {
    auto ai = std::make_unique<AI>();
    EXPECT_TRUE(ai->isConsistent());
}

struct Box {
    int xMin, xMax, yMin, yMax;
    bool operator==(const Box&) const = default;
};
Box boxOf(const AI& ai) {
    return {ai.xMin, ai.xMax, ai.yMin, ai.yMax};
}

// Every field makeMove touches, copied so that a later state can be compared whole.
struct State {
    explicit State(const AI& ai)
        : board(ai),
          who(ai.who),
          opp(ai.opp),
          box(boxOf(ai)),
          historyLast(ai.history.last),
          boxHistoryLast(ai.boxHistory.last),
          ply(ai.ply),
          hashKey(ai.hashKey) {}
    Board board;
    int who, opp;
    Box box;
    int historyLast, boxHistoryLast, ply;
    uint64_t hashKey;
};

template <typename T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

void expectSameState(const State& before, const AI& ai) {
    const State after(ai);
    EXPECT_TRUE(sameBytes(before.board.rowBits, after.board.rowBits));
    EXPECT_TRUE(sameBytes(before.board.colBits, after.board.colBits));
    EXPECT_TRUE(sameBytes(before.board.diagBits, after.board.diagBits));
    EXPECT_TRUE(sameBytes(before.board.antiBits, after.board.antiBits));
    EXPECT_TRUE(sameBytes(before.board.cells, after.board.cells));
    EXPECT_TRUE(sameBytes(before.board.patternCount, after.board.patternCount));
    EXPECT_EQ(before.board.limit, after.board.limit);
    EXPECT_EQ(before.who, after.who);
    EXPECT_EQ(before.opp, after.opp);
    EXPECT_EQ(before.box, after.box);
    EXPECT_EQ(before.historyLast, after.historyLast);
    EXPECT_EQ(before.boxHistoryLast, after.boxHistoryLast);
    EXPECT_EQ(before.ply, after.ply);
    EXPECT_EQ(before.hashKey, after.hashKey);
}

// A new game at `size` as START sets it up.
void startGame(AI& ai, int size) {
    ai.limit = size + kBorder;
    ai.resetGame();
}

TEST(Board, NewGameAfterPlayIsEmptyWithWallAndEmptyBox) {
    auto ai = std::make_unique<AI>();
    for (int i = 0; i < 6; ++i) ai->makeMove(9 + i, 10 + i % 2);
    ai->resetGame();

    int32_t noCounts[3][kPatternCodes] = {};
    EXPECT_TRUE(sameBytes(ai->patternCount, noCounts));
    EXPECT_EQ(boxOf(*ai), (Box{28, 4, 28, 4}));
    EXPECT_EQ(ai->history.last, -1);
    EXPECT_EQ(ai->boxHistory.last, -1);
    EXPECT_EQ(ai->hashKey, 0u);
    EXPECT_EQ(ai->who, BLACK);
    EXPECT_EQ(ai->opp, WHITE);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const Cell& cell = ai->cells[y][x];
            const bool playable = x >= 4 && x < 19 && y >= 4 && y < 19;
            ASSERT_EQ(cell.state, playable ? EMPTY : WALL) << x << "," << y;
            ASSERT_EQ(cell.neighbours, 0) << x << "," << y;
            ASSERT_EQ(cell.codeBytes(BLACK) | cell.codeBytes(WHITE), 0u) << x << "," << y;
        }
    }
    EXPECT_TRUE(ai->isConsistent());
}

TEST(Board, FirstStoneOpensBoxThreeCellsAroundItClippedToTheBoard) {
    auto ai = std::make_unique<AI>();
    const struct {
        int x, y;
        Box box;
    } cases[] = {{11, 11, {8, 15, 8, 15}}, {4, 4, {4, 8, 4, 8}}, {18, 18, {15, 19, 15, 19}}};
    for (const auto& c : cases) {
        ai->resetGame();
        ai->makeMove(c.x, c.y);
        EXPECT_EQ(boxOf(*ai), c.box) << c.x << "," << c.y;
    }
}

TEST(Board, BoardSizeSetsWallAndKeepsCornerStonesConsistent) {
    auto ai = std::make_unique<AI>();
    for (int size : {24, 9}) {
        startGame(*ai, size);
        const int limit = size + kBorder;
        for (int i = 0; i < kGrid; ++i) {
            EXPECT_EQ(ai->cells[i][limit].state, WALL) << "size " << size;
            EXPECT_EQ(ai->cells[limit][i].state, WALL) << "size " << size;
        }
        EXPECT_EQ(ai->cells[limit - 1][limit - 1].state, EMPTY);
        // The corners exercise the ends of every line word.
        const int far = limit - 1;
        for (auto [x, y] : {std::pair{4, 4}, {far, far}, {4, far}, {far, 4}, {5, far - 1}}) {
            ai->makeMove(x, y);
            ASSERT_TRUE(ai->isConsistent()) << "size " << size << " stone " << x << "," << y;
        }
        EXPECT_EQ(ai->xMax, limit);
        EXPECT_EQ(ai->yMax, limit);
    }
}

TEST(Board, IsFreeOnlyInsideThePlayingAreaOnEmptyCells) {
    auto ai = std::make_unique<AI>();
    EXPECT_TRUE(ai->isFree(4, 4));
    EXPECT_TRUE(ai->isFree(ai->limit - 1, ai->limit - 1));
    EXPECT_FALSE(ai->isFree(3, 10));
    EXPECT_FALSE(ai->isFree(10, 3));
    EXPECT_FALSE(ai->isFree(ai->limit, 10));
    EXPECT_FALSE(ai->isFree(10, ai->limit));
    ai->makeMove(10, 10);
    EXPECT_FALSE(ai->isFree(10, 10));
}

TEST(Board, NeighboursReachThreeStepsAlongLinesOnly) {
    auto ai = std::make_unique<AI>();
    ai->makeMove(11, 11);
    for (int d = 0; d < kDirections; ++d) {
        for (int k : {-3, -1, 1, 3}) {
            EXPECT_EQ(ai->cells[11 + k * kDy[d]][11 + k * kDx[d]].neighbours, 1)
                << "direction " << d << " step " << k;
        }
        EXPECT_EQ(ai->cells[11 + 4 * kDy[d]][11 + 4 * kDx[d]].neighbours, 0) << d;
    }
    EXPECT_EQ(ai->cells[13][12].neighbours, 0);  // a knight's move away
    ai->makeMove(14, 11);
    EXPECT_EQ(ai->cells[11][12].neighbours, 2);
}

TEST(Board, UnmakeRestoresEverythingButMaxPly) {
    auto ai = std::make_unique<AI>();
    for (auto [x, y] : {std::pair{11, 11}, {12, 12}, {10, 12}, {13, 11}, {11, 14}}) {
        ai->makeMove(x, y);
    }
    ai->ply = 0;
    ai->maxPly = 0;
    const State before(*ai);
    ai->makeMove(12, 11);
    ai->makeMove(11, 12);
    ai->unmakeMove(11, 12);
    ai->unmakeMove(12, 11);
    expectSameState(before, *ai);
    EXPECT_EQ(ai->maxPly, 2);
    // A stone at the board's edge touches wall cells in every direction.
    ai->makeMove(4, 18);
    ai->unmakeMove(4, 18);
    expectSameState(before, *ai);
}

TEST(Board, FullLargestBoardUnwindsToANewGame) {
    auto ai = std::make_unique<AI>();
    startGame(*ai, kMaxSize);
    const State empty(*ai);
    std::vector<std::pair<int, int>> cells;
    for (int y = kBorder; y < ai->limit; ++y)
        for (int x = kBorder; x < ai->limit; ++x) cells.push_back({x, y});
    std::shuffle(cells.begin(), cells.end(), std::mt19937(24));
    for (auto [x, y] : cells) ai->makeMove(x, y);
    EXPECT_EQ(ai->history.last, kMaxSize * kMaxSize - 1);
    EXPECT_TRUE(ai->isConsistent());
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) ai->unmakeMove(it->first, it->second);
    expectSameState(empty, *ai);
}

TEST(Board, HashKeyDependsOnStonesNotOnOrder) {
    auto ai = std::make_unique<AI>();
    const std::pair<int, int> moves[] = {{11, 11}, {12, 12}, {9, 10}, {6, 17}};
    for (auto [x, y] : moves) ai->makeMove(x, y);
    const uint64_t key = ai->hashKey;

    ai->resetGame();
    for (int i : {2, 3, 0, 1}) ai->makeMove(moves[i].first, moves[i].second);
    EXPECT_EQ(ai->hashKey, key);

    ai->resetGame();  // same cells, colours exchanged
    for (int i : {1, 0, 3, 2}) ai->makeMove(moves[i].first, moves[i].second);
    EXPECT_NE(ai->hashKey, key);
}

TEST(Board, ConsistencyCheckNoticesCorruption) {
    auto ai = std::make_unique<AI>();
    ai->makeMove(11, 11);
    ai->makeMove(12, 11);
    ASSERT_TRUE(ai->isConsistent());
    auto expectNoticed = [&](auto& field, auto corrupt) {
        const auto saved = field;
        field = corrupt;
        EXPECT_FALSE(ai->isConsistent());
        field = saved;
    };
    expectNoticed(ai->cells[11][10].patterns[0], uint8_t(0));
    expectNoticed(ai->cells[11][13].neighbours, uint8_t(5));
    expectNoticed(ai->patternCount[WHITE][live2l], 0);
    expectNoticed(ai->rowBits[11], uint64_t(0));
    expectNoticed(ai->xMax, 17);
    expectNoticed(ai->hashKey, uint64_t(1));
    EXPECT_TRUE(ai->isConsistent());
}

}  // namespace
}  // namespace korvane
