#include "engine/search/pro/opening_book.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/engine.h"
#include "engine/search/pro/book_search.h"
#include "engine/support/position.h"

namespace korvane {
namespace {

// Stands for the search behind the book: always the corner.
class CornerSearch final : public MoveSearch {
public:
    ScoredMove chooseMove(AI&) override { return test::at(0, 0); }
    bool resizeTable(uint32_t) override { return true; }
};

class OpeningBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(book.read("# white's answer\n15 7,7 8,6 9,7 > 6,6\n\n15 6,6 8,7 > 7,7\n"), 0);
        engine.setShowMessages(0);
    }
    // The engine's move after `stones` on a size x size board.
    WirePoint answer(const std::vector<WirePoint>& stones, int size = 15) {
        engine.newGame(size);
        for (WirePoint p : stones) EXPECT_TRUE(engine.play(p));
        return engine.think().point;
    }
    OpeningBook book;
    Engine engine{[this](AI&) {
        return std::make_unique<BookSearch>(book, std::make_unique<CornerSearch>());
    }};
};

TEST_F(OpeningBookTest, AnswersEveryImageOfAStoredPositionWithTheMatchingImageOfItsMove) {
    const auto images = {
        +[](WirePoint p) { return p; },
        +[](WirePoint p) {
            return WirePoint{14 - p.x, p.y};
        },
        +[](WirePoint p) {
            return WirePoint{p.x, 14 - p.y};
        },
        +[](WirePoint p) {
            return WirePoint{14 - p.x, 14 - p.y};
        },
        +[](WirePoint p) {
            return WirePoint{p.y, p.x};
        },
        +[](WirePoint p) {
            return WirePoint{14 - p.y, p.x};
        },
        +[](WirePoint p) {
            return WirePoint{p.y, 14 - p.x};
        },
        +[](WirePoint p) {
            return WirePoint{14 - p.y, 14 - p.x};
        },
    };
    for (auto image : images) {
        const WirePoint expected = image({6, 6});
        const WirePoint got = answer({image({7, 7}), image({8, 6}), image({9, 7})});
        EXPECT_EQ(got.x, expected.x);
        EXPECT_EQ(got.y, expected.y);
    }
}

TEST_F(OpeningBookTest, AnswersAShiftedPositionUnlessItComesCloserToAnEdge) {
    // The mirror image of a 20 x 20 opening placed round the centre is a cell off.
    ASSERT_EQ(book.read("20 10,10 11,10 11,13 > 12,11\n"), 0);
    const WirePoint mirrored = answer({{9, 10}, {8, 10}, {8, 13}}, 20);
    EXPECT_EQ(mirrored.x, 7);
    EXPECT_EQ(mirrored.y, 11);
    // The stored shape is its own mirror image, so either image of its move will do.
    const WirePoint shifted = answer({{5, 9}, {6, 8}, {7, 9}});
    EXPECT_TRUE((shifted.x == 4 || shifted.x == 8) && shifted.y == 8);
    const WirePoint nearEdge = answer({{4, 7}, {5, 6}, {6, 7}});
    EXPECT_TRUE(nearEdge.x == 0 && nearEdge.y == 0);
}

TEST_F(OpeningBookTest, LeavesOtherPositionsRulesAndSizesToTheSearch) {
    const auto corner = [](WirePoint p) { return p.x == 0 && p.y == 0; };
    EXPECT_FALSE(corner(answer({{6, 6}, {8, 7}})));
    EXPECT_TRUE(corner(answer({{7, 7}, {9, 7}, {8, 6}}))) << "the same cells, other colours";
    EXPECT_TRUE(corner(answer({{7, 7}, {8, 6}}))) << "a position on the way to a stored one";
    EXPECT_TRUE(corner(answer({{7, 7}, {9, 8}}, 17)))
        << "the stored stones, shifted to the centre of another size";
    engine.setRule(1);
    EXPECT_TRUE(corner(answer({{6, 6}, {8, 7}})));
    engine.setRule(0);
}

TEST(OpeningBookText, CountsMalformedLinesAndKeepsTheRest) {
    OpeningBook book;
    EXPECT_EQ(book.read("15 7,7 > 7,7\n15 7,7 8,8\n15 7,7 > 15,0\n3 1,1 > 0,0\n15 7,7 > 8,8 9,9\n"
                        "15 7;7 > 8,8\n  15 7,7 > 8,8  # kept\n"),
              6);
    EXPECT_EQ(book.positions(), 1u);
}

TEST(OpeningBookText, BuiltInBookIsWellFormed) {
    OpeningBook book;
    EXPECT_EQ(book.read(kProBookText), 0);
    EXPECT_GT(book.positions(), 0u);
    EXPECT_EQ(proBook().positions(), book.positions());
}

}  // namespace
}  // namespace korvane
