#include <gtest/gtest.h>

#include <cstdlib>

#include "protocol/support/session.h"

namespace korvane::protocol_test {
namespace {

using Lines = std::vector<std::string>;

// The depth of each report row ("MESSAGE depth-maxPly\t...").
std::vector<int> reportDepths(const Lines& lines) {
    std::vector<int> depths;
    for (const std::string& line : lines) {
        if (line.rfind("MESSAGE ", 0) != 0 || line.find('-') == std::string::npos) continue;
        const char* text = line.c_str() + 8;
        char* end = nullptr;
        const long depth = std::strtol(text, &end, 10);
        if (end != text && *end == '-') depths.push_back(int(depth));
    }
    return depths;
}

TEST(Diagnostics, SetEvalsIsReadBackByGetEvals) {
    // Extreme weights must still leave a working search.
    const Lines lines = session(
        "SET_EVALS 1 -2 3 4 5 6 7 2147483647\nGET_EVALS\nSET_EVALS 0 0 1 2 4 12 15 -2147483648\n"
        "GET_EVALS\nINFO TIMEOUT_TURN 30\nIS_SHOW_MESSAGE 0\nTURN 7,7\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "1 -2 3 4 5 6 7 2147483647 ");
    EXPECT_EQ(lines[1], "0 0 1 2 4 12 15 -2147483648 ");
    EXPECT_TRUE(parseMove(lines[2])) << lines[2];
}

TEST(Diagnostics, SetDepthIsClampedToTwoAtLeast) {
    // Off the opening book, so that the move is searched.
    const std::string search = "BOARD\n7,7\n8,8\n7,8\n12,2\nDONE\n";
    const std::string start = "INFO TIMEOUT_TURN 2000\n";
    EXPECT_EQ(reportDepths(session(start + "SET_DEPTH 1\n" + search)), (std::vector<int>{2}));
    EXPECT_EQ(reportDepths(session(start + "SET_DEPTH -5\n" + search)), (std::vector<int>{2}));
    EXPECT_EQ(reportDepths(session(start + "SET_DEPTH 3\n" + search)), (std::vector<int>{2, 3}));
}

// Four stones of colour 2 on row 1 from the left edge; colour 1 scattered.
constexpr const char* kWhiteFour =
    "PLAY 7,7\nPLAY 0,1\nPLAY 9,3\nPLAY 1,1\nPLAY 3,10\nPLAY 2,1\nPLAY 12,5\nPLAY 3,1\n";

TEST(Diagnostics, IsWinReportsAFiveMadeByTheLastStone) {
    // Made by PLAY; another stone hides it, taking that back shows it again.
    EXPECT_EQ(session("IS_WIN\nPLAY 0,0\nPLAY 0,1\nPLAY 1,0\nPLAY 1,1\nPLAY 2,0\nPLAY 2,1\n"
                      "PLAY 3,0\nPLAY 3,1\nIS_WIN\nPLAY 4,0\nIS_WIN\nPLAY 10,10\nIS_WIN\n"
                      "TAKEBACK 0,0\nIS_WIN\n"),
              (Lines{"0", "0", "1", "0", "OK", "1"}));
    // Made by TURN (colour 2 here): the engine's answer is taken back before the question.
    const Lines turn = withoutMessages(session(std::string(kWhiteFour) +
                                               "PLAY 5,5\nINFO TIMEOUT_TURN 30\nTURN 4,1\n"
                                               "TAKEBACK 0,0\nIS_WIN\n"));
    ASSERT_EQ(turn.size(), 3u);
    EXPECT_TRUE(parseMove(turn[0])) << turn[0];
    EXPECT_EQ(Lines(turn.begin() + 1, turn.end()), (Lines{"OK", "2"}));
    // Made by the engine's own move, which completes the four.
    EXPECT_EQ(withoutMessages(session(std::string(kWhiteFour) + "TURN 5,12\nIS_WIN\n")),
              (Lines{"4,1", "2"}));
}

TEST(Diagnostics, ShowBoardDrawsTheExactPicture) {
    const Lines lines = session("START 9\nPLAY 4,4\nPLAY 5,4\nSHOW_BOARD 1\nSHOW_BOARD 0\n");
    const std::string empty = " |   |   |   |   |   |   |   |   |   |";
    const std::string rule = "-+---+---+---+---+---+---+---+---+--";
    Lines expected = {"OK", "  A   B   C   D   E   F   G   H   I  "};
    for (int y = 0; y < 9; ++y) {
        expected.push_back(rule);
        expected.push_back(
            (y == 4 ? std::string(" |   |   |   |   | B | W |   |   |   |") : empty) +
            std::to_string(y));
    }
    expected.push_back(rule);
    expected.push_back("   0   1   2   3   4   5   6   7   8  ");
    EXPECT_EQ(lines, expected);
}

TEST(Diagnostics, ShowBoardLettersRunToXOnTheLargestBoard) {
    const Lines lines = session("START 24\nSHOW_BOARD 1\n");
    ASSERT_EQ(lines.size(), 1u + 2 * 24 + 3);
    EXPECT_EQ(lines[1],
              "  A   B   C   D   E   F   G   H   I   J   K   L   M   N   O   P   Q   R   S   T   "
              "U   V   W   X  ");
    EXPECT_EQ(lines[lines.size() - 3],
              " |   |   |   |   |   |   |   |   |   |   |   |   |   |   |   |   |   |   |   |   "
              "|   |   |   |   |23");
    EXPECT_EQ(lines.back(),
              "   0   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16  17  18  19  "
              "20  21  22  23  ");
}

TEST(Diagnostics, ShowBoardFollowsEveryMoveUntilSwitchedOff) {
    // TURN draws the board after the opponent's stone, the worker after its own; then off.
    const Lines lines = withoutMessages(
        session("START 9\nINFO TIMEOUT_TURN 30\nSHOW_BOARD 1\nTURN 4,4\nSHOW_BOARD 0\n"
                "TAKEBACK 0,0\nTAKEBACK 0,0\nTURN 4,4\n"));
    constexpr size_t kPicture = 2 * 9 + 3;
    constexpr size_t kCounts = 3;
    ASSERT_EQ(lines.size(), 1 + 3 * kPicture + 2 * kCounts + 1 + 2 + 1);
    const std::string header =
        "player\tSleep2\tLive2b\tlive2l\tSLeep3\tLive3b\tLive3l\tSleep4\tLive4\tFive";
    for (size_t counts : {1 + 2 * kPicture, 1 + 3 * kPicture + kCounts}) {
        EXPECT_EQ(lines[counts], header);
        EXPECT_EQ(lines[counts + 1].rfind("_who:\t", 0), 0u) << lines[counts + 1];
        EXPECT_EQ(lines[counts + 2].rfind("_opp:\t", 0), 0u) << lines[counts + 2];
        EXPECT_EQ(lines[counts + 2].back(), '\t');
    }
    const size_t move = 1 + 3 * kPicture + 2 * kCounts;
    EXPECT_TRUE(parseMove(lines[move])) << lines[move];
    EXPECT_EQ(lines[move + 1], "OK");
    EXPECT_EQ(lines[move + 2], "OK");
    EXPECT_TRUE(parseMove(lines[move + 3])) << lines[move + 3];
}

TEST(Diagnostics, IsShowMessageSwitchesTheSearchReport) {
    const Lines lines = session(
        "INFO TIMEOUT_TURN 30\nTURN 7,7\nIS_SHOW_MESSAGE 0\nTAKEBACK 0,0\nTAKEBACK 0,0\n"
        "TURN 7,7\n");
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "MESSAGE Depth\tVal\tMove\tTimes\tNodes\tNPS\tFactor");
    const size_t move = lines.size() - 4;
    EXPECT_EQ(lines[move - 1].rfind("MESSAGE PV:", 0), 0u) << lines[move - 1];
    EXPECT_TRUE(parseMove(lines[move])) << lines[move];
    EXPECT_EQ(Lines(lines.begin() + move + 1, lines.end() - 1), (Lines{"OK", "OK"}));
    EXPECT_TRUE(parseMove(lines.back())) << lines.back();
}

TEST(Diagnostics, VctFindsTheWinOfAnOpenThree) {
    const Lines lines = session(
        "INFO TIMEOUT_TURN 200\nVCT 10\nPLAY 5,7\nPLAY 0,0\nPLAY 6,7\nPLAY 0,2\nVCT 10\n"
        "PLAY 7,7\nPLAY 0,4\nVCT 10\nSHOW_BOARD 1\n");
    ASSERT_EQ(lines.size(), 3u + 33u);
    EXPECT_EQ(lines[0], "vct:0");
    EXPECT_EQ(lines[1], "vct:0");
    ASSERT_EQ(lines[2].rfind("vct:", 0), 0u) << lines[2];
    EXPECT_GT(std::atoi(lines[2].c_str() + 4), 9900) << lines[2];
    // The probe takes its trial stones back.
    const std::vector<std::string> stones = pictureStones(lines, 3, 15);
    EXPECT_EQ(stones[7], ".....BBB.......");
    for (int y : {0, 2, 4}) EXPECT_EQ(stones[y], "W..............");
}

}  // namespace
}  // namespace korvane::protocol_test
