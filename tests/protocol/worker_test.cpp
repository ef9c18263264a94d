#include <gtest/gtest.h>

#include <set>

#include "protocol/support/session.h"

namespace korvane::protocol_test {
namespace {

using Lines = std::vector<std::string>;

bool onBoard(Point p, int size) {
    return p.x >= 0 && p.y >= 0 && p.x < size && p.y < size;
}

TEST(SearchWorker, BeginOnAnEmptyBoardAnswersTheCentreWithoutReport) {
    EXPECT_EQ(session("BEGIN\n"), (Lines{"7,7"}));
    EXPECT_EQ(session("START 24\nBEGIN\n"), (Lines{"OK", "12,12"}));
    // END while the worker waits: it ends without a move, and nothing after END is read.
    EXPECT_EQ(session("END\nBEGIN\n"), (Lines{}));
}

TEST(SearchWorker, TwoRequestsAreAnsweredOneAfterTheOther) {
    const Lines lines =
        withoutMessages(session("INFO TIMEOUT_TURN 50\nBEGIN\nBEGIN\nSHOW_BOARD 1\n"));
    ASSERT_EQ(lines.size(), 2u + 33u);
    EXPECT_EQ(lines[0], "7,7");
    const std::optional<Point> second = parseMove(lines[1]);
    ASSERT_TRUE(second) << lines[1];
    const std::vector<std::string> stones = pictureStones(lines, 2, 15);
    EXPECT_EQ(stones[7][7], 'B');
    EXPECT_EQ(stones[second->y][second->x], 'W');
}

TEST(SearchWorker, EndDuringASearchStillWritesItsMove) {
    const Lines lines = withoutMessages(session("INFO TIMEOUT_TURN 300\nTURN 7,7\nEND\nABOUT\n"));
    ASSERT_EQ(lines.size(), 1u);
    const std::optional<Point> move = parseMove(lines[0]);
    ASSERT_TRUE(move) << lines[0];
    EXPECT_NE(*move, (Point{7, 7}));
    // Requests already made when END comes are answered too.
    const Lines both = withoutMessages(session("INFO TIMEOUT_TURN 30\nBEGIN\nBEGIN\nEND\n"));
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0], "7,7");
    EXPECT_TRUE(parseMove(both[1])) << both[1];
}

TEST(SearchWorker, AboutAnswersAtOnceWhileOtherCommandsWaitForTheMove) {
    // Had TAKEBACK run during the search, it would have taken back 7,7.
    const Lines lines = withoutMessages(
        session("INFO TIMEOUT_TURN 1000\nTURN 7,7\nABOUT\nTAKEBACK 0,0\nPLAY 0,0\nSHOW_BOARD 1\n"));
    ASSERT_EQ(lines.size(), 3u + 33u);
    EXPECT_EQ(lines[0], kAboutLine);
    EXPECT_TRUE(parseMove(lines[1])) << lines[1];
    EXPECT_EQ(lines[2], "OK");
    const std::vector<std::string> stones = pictureStones(lines, 3, 15);
    for (int y = 0; y < 15; ++y) {
        const std::string expected = y == 0   ? "W.............."
                                     : y == 7 ? ".......B......."
                                              : "...............";
        EXPECT_EQ(stones[y], expected) << "row " << y;
    }
}

TEST(SearchWorker, TheLastPointOfTheLargestBoardIsPlayable) {
    const Lines lines = withoutMessages(session("START 20\nINFO TIMEOUT_TURN 50\nTURN 19,19\n"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "OK");
    const std::optional<Point> move = parseMove(lines[1]);
    ASSERT_TRUE(move) << lines[1];
    EXPECT_TRUE(onBoard(*move, 20));
    EXPECT_NE(*move, (Point{19, 19}));
}

// The engine plays a whole game on the smallest board against an opponent that always
// takes the first free point, until the board is full.
TEST(SearchWorker, EveryMoveIsAFreePointUntilTheBoardIsFull) {
    constexpr int kSize = 9;
    EngineProcess engine;
    engine.send("START 9\nINFO TIMEOUT_TURN 20\nBEGIN");
    std::string line;
    ASSERT_TRUE(engine.readLine(line));  // the weight-file message
    ASSERT_TRUE(engine.readLine(line));
    ASSERT_EQ(line, "OK");
    std::set<std::pair<int, int>> taken;
    for (;;) {
        const std::optional<Point> reply = readMove(engine);
        ASSERT_TRUE(reply);
        ASSERT_TRUE(onBoard(*reply, kSize)) << reply->x << "," << reply->y;
        ASSERT_TRUE(taken.insert({reply->x, reply->y}).second) << reply->x << "," << reply->y;
        if (taken.size() == kSize * kSize) break;
        int next = 0;
        while (taken.count({next % kSize, next / kSize})) ++next;
        taken.insert({next % kSize, next / kSize});
        engine.send("TURN " + std::to_string(next % kSize) + "," + std::to_string(next / kSize));
    }
    engine.send("END");
    EXPECT_EQ(engine.waitExit(), 0);
}

}  // namespace
}  // namespace korvane::protocol_test
