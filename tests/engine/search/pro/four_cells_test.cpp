#include "engine/search/pro/four_cells.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/support/position.h"

namespace korvane {
namespace {

// The cells a plain scan of the whole board finds, in scan order.
std::vector<int> everyFourCell(const AI& b, int colour) {
    std::vector<int> cells;
    for (int y = kBorder; y < b.limit; ++y)
        for (int x = kBorder; x < b.limit; ++x)
            if (b.cells[y][x].state == EMPTY && b.cells[y][x].hasPattern(colour, Sleep4))
                cells.push_back(y * kGrid + x);
    return cells;
}

// The scan stops once the counts' fours are seen: it must still reach a cell with two
// fours (counted once per line), fours at the end of the box, and none where there are none.
TEST(FourCells, StopsOnlyAfterEveryFourOfThePatternCounts) {
    auto ai = std::make_unique<AI>();
    test::setUp(*ai, R"(
        . . . . . . . . . . . . . . .
        . X X X . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . X . . . . . . . . . O . . .
        . X . . . . . . . . . O . . .
        . X . . . . . . . . . O . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . . . . . . .
        . . . . . . . . . O O O . . X
    )");
    for (int colour : {BLACK, WHITE}) {
        std::vector<int> visited;
        visitFourCells(*ai, colour,
                       [&](int x, int y, const Cell&) { visited.push_back(y * kGrid + x); });
        EXPECT_EQ(visited, everyFourCell(*ai, colour)) << "colour " << colour;
        EXPECT_FALSE(visited.empty());
    }
    test::setUp(*ai, ". X . O");
    int calls = 0;
    visitFourCells(*ai, BLACK, [&](int, int, const Cell&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace korvane
