#include <gtest/gtest.h>

#include "protocol/support/session.h"

namespace korvane::protocol_test {
namespace {

using Lines = std::vector<std::string>;

// The stones shown by SHOW_BOARD 1, whose picture is the output from `first` on.
std::vector<std::string> shownStones(const Lines& lines, size_t first, int size = 15) {
    EXPECT_EQ(lines.size(), first + 2 * size_t(size) + 3) << "not one whole picture";
    return pictureStones(lines, first, size);
}

TEST(GameCommands, ScriptedSessionGivesExactReplies) {
    EXPECT_EQ(
        session("START 20\nABOUT\nPLAY 3,4\nTAKEBACK 0,0\nTURN 20,20\nhello\nEND\n"),
        (Lines{"OK", kAboutLine, "OK", "ERROR COORDINATE", "ERROR Command \"HELLO\" not support"}));
}

// A manager waits for each reply before it sends the next command, so every reply must
// reach it while the input stays open.
TEST(GameCommands, EveryReplyArrivesWhileTheInputStaysOpen) {
    EngineProcess engine;
    std::string line;
    ASSERT_TRUE(engine.readLine(line));  // the weight-file message
    const std::pair<const char*, std::string> exchanges[] = {
        {"START 15", "OK"},
        {"ABOUT", kAboutLine},
        {"IS_WIN", "0"},
        {"TAKEBACK 1,2", "INVALID POS:1,2"},
        {"hello", "ERROR Command \"HELLO\" not support"},
        {"PLAY 7,7\nPLAY 7,7", "ERROR PLAY MOVE"},
        {"TURN 7,7", "ERROR COORDINATE"},
        {"IS_WIN", "0"},
        {"VCT 2", "vct:0"},
        {"START 8", "ERROR:NOT SUPPORT<8>"},
        {"BOARD\nDONE", "7,7"},
        {"SHOW_BOARD 1", "  A   B   C   D   E   F   G   H   I   J   K   L   M   N   O  "},
    };
    for (const auto& [command, reply] : exchanges) {
        engine.send(command);
        ASSERT_TRUE(engine.readLine(line)) << command;
        EXPECT_EQ(line, reply) << command;
    }
    engine.send("END");
    EXPECT_EQ(engine.waitExit(), 0);
}

TEST(GameCommands, StartAcceptsSizesNineToTwentyFour) {
    // A rejected size keeps the board of 24: 23,23 is on it and 24,24 is not.
    EXPECT_EQ(session("START 9\nSTART 24\nSTART 8\nSTART 25\nSTART 0\nSTART -3\n"
                      "PLAY 23,23\nPLAY 24,24\n"),
              (Lines{"OK", "OK", "ERROR:NOT SUPPORT<8>", "ERROR:NOT SUPPORT<25>",
                     "ERROR:NOT SUPPORT<0>", "ERROR:NOT SUPPORT<-3>", "ERROR PLAY MOVE"}));
}

TEST(GameCommands, RestartEmptiesTheBoardAndKeepsItsSize) {
    EXPECT_EQ(session("START 20\nPLAY 19,19\nRESTART\nPLAY 19,19\nPLAY 20,20\n"),
              (Lines{"OK", "OK", "ERROR PLAY MOVE"}));
}

TEST(GameCommands, TakebackRemovesTheLastStonesWhateverTheCoordinates) {
    const Lines lines = session(
        "TAKEBACK 3,5\nPLAY 1,1\nPLAY 2,2\nPLAY 3,3\nTAKEBACK 9,9\nTAKEBACK 0,0\n"
        "PLAY 4,4\nTAKEBACK 0,0\nTAKEBACK 0,0\nTAKEBACK 0,0\nTAKEBACK -1,7\n"
        "PLAY 5,5\nPLAY 6,6\nSHOW_BOARD 1\n");
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(
        Lines(lines.begin(), lines.begin() + 7),
        (Lines{"INVALID POS:3,5", "OK", "OK", "OK", "OK", "INVALID POS:0,0", "INVALID POS:-1,7"}));
    // Every stone is gone and colour 1 is to move again.
    const std::vector<std::string> stones = shownStones(lines, 7);
    EXPECT_EQ(stones[1], "...............");
    EXPECT_EQ(stones[5], ".....B.........");
    EXPECT_EQ(stones[6], "......W........");
}

TEST(GameCommands, TakebackGivesTheMoveBackToTheStonesColour) {
    const Lines lines = session("PLAY 1,1\nPLAY 2,2\nTAKEBACK 0,0\nPLAY 3,3\nSHOW_BOARD 1\n");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "OK");
    const std::vector<std::string> stones = shownStones(lines, 1);
    EXPECT_EQ(stones[1], ".B.............");
    EXPECT_EQ(stones[2], "...............");
    EXPECT_EQ(stones[3], "...W...........");
}

TEST(GameCommands, TurnOnAnOccupiedPointStartsNoSearch) {
    EXPECT_EQ(session("PLAY 7,7\nTURN 7,7\nTURN 15,0\nTURN 0,-1\n"),
              (Lines{"ERROR COORDINATE", "ERROR COORDINATE", "ERROR COORDINATE"}));
}

TEST(GameCommands, PlayTwicePlacesBothColoursWithoutSearching) {
    const Lines lines = session("PLAY 7,7\nPLAY 8,8\nPLAY 8,8\nSHOW_BOARD 1\n");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "ERROR PLAY MOVE");
    const std::vector<std::string> stones = shownStones(lines, 1);
    EXPECT_EQ(stones[7], ".......B.......");
    EXPECT_EQ(stones[8], "........W......");
}

TEST(GameCommands, BoardWithoutStonesAnswersTheCentre) {
    EXPECT_EQ(session("START 20\nPLAY 1,1\nBOARD\nDONE\n"), (Lines{"OK", "10,10"}));
}

TEST(GameCommands, BoardStonesTakeTheirColoursFromTheirOrder) {
    // The third fields say the opposite; lower-case done ends the block.
    const Lines lines = withoutMessages(
        session("INFO TIMEOUT_TURN 50\nBOARD\n7,7,2\n8,8,1\n6,6\ndone\nSHOW_BOARD 1\n"));
    ASSERT_FALSE(lines.empty());
    const std::optional<Point> move = parseMove(lines[0]);
    ASSERT_TRUE(move) << lines[0];
    const std::vector<std::string> stones = shownStones(lines, 1);
    EXPECT_EQ(stones[7][7], 'B');
    EXPECT_EQ(stones[8][8], 'W');
    EXPECT_EQ(stones[6][6], 'B');
    // Three stones placed: colour 2 answers.
    EXPECT_EQ(stones[move->y][move->x], 'W');
}

TEST(GameCommands, BoardStopsAtABadStoneAndDropsTheRestOfTheBlock) {
    // Nothing after the bad stone is placed or answered; the search runs for colour 2.
    const Lines lines = withoutMessages(
        session("INFO TIMEOUT_TURN 50\nBOARD\n7,7,1\n7,7,2\n9,9,1\nhello\nDONE\nSHOW_BOARD 1\n"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "ERROR BOARD POS:7,7,2");
    const std::optional<Point> move = parseMove(lines[1]);
    ASSERT_TRUE(move) << lines[1];
    std::vector<std::string> stones = shownStones(lines, 2);
    EXPECT_EQ(stones[move->y][move->x], 'W');
    stones[move->y][move->x] = '.';
    for (int y = 0; y < 15; ++y)
        EXPECT_EQ(stones[y], y == 7 ? ".......B......." : "...............");
}

TEST(GameCommands, BoardWordsThatAreNoStonesAreReportedUpperCased) {
    EXPECT_EQ(session("BOARD\nabc\nDONE\nBOARD\n15,0,1\nDONE\nBOARD\n3,"),
              (Lines{"ERROR BOARD POS:ABC", "7,7", "ERROR BOARD POS:15,0,1", "7,7",
                     "ERROR BOARD POS:3,", "7,7"}));
}

TEST(GameCommands, APointMaySpreadOverBlanksAndLines) {
    EXPECT_EQ(session("PLAY 1 ,\n 2\nPLAY 1,2\nPLAY +3,+4\nPLAY 3,4\n"),
              (Lines{"ERROR PLAY MOVE", "ERROR PLAY MOVE"}));
}

TEST(GameCommands, AnUnknownWordOfAnyLengthIsEchoedWhole) {
    const std::string word(100000, 'q');
    EXPECT_EQ(session(word + "\n"),
              (Lines{"ERROR Command \"" + std::string(word.size(), 'Q') + "\" not support"}));
}

TEST(GameCommands, UnknownWordsAreReportedOneByOne) {
    // Only the letters a to z change case; tabs, vertical tabs and form feeds are blanks.
    EXPECT_EQ(session("hello\nTURN7,7\nfoo \t bar\n\n \v\f \nz\xc3\xa9\nabout\nstart 9 Restart\n"),
              (Lines{"ERROR Command \"HELLO\" not support", "ERROR Command \"TURN7,7\" not support",
                     "ERROR Command \"FOO\" not support", "ERROR Command \"BAR\" not support",
                     "ERROR Command \"Z\xc3\xa9\" not support", kAboutLine, "OK", "OK"}));
}

TEST(GameCommands, CarriageReturnsAreBlanks) {
    EXPECT_EQ(session("START 20\r\nPLAY 19,19\r\nPLAY 19,19\r\nABOUT\r\nBOARD\r\nDONE\r\nEND\r\n"),
              (Lines{"OK", "ERROR PLAY MOVE", kAboutLine, "10,10"}));
}

TEST(GameCommands, EndOfInputStillAnswersTheRequestMade) {
    EXPECT_EQ(session("BEGIN"), (Lines{"7,7"}));
    const Lines lines = withoutMessages(session("INFO TIMEOUT_TURN 50\nTURN 7,7\n"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(parseMove(lines[0])) << lines[0];
}

TEST(GameCommands, MalformedNumbersGiveTheUsualReplyAndSkipTheLine) {
    EXPECT_EQ(session("TURN a,b\nSTART x ABOUT\nABOUT\nSTART 10\nPLAY 9,9\nPLAY 10,10\n"
                      "PLAY 9,x ABOUT\nTAKEBACK 0,0\nTAKEBACK 0,0\n"),
              (Lines{"ERROR COORDINATE", "ERROR:NOT SUPPORT<0>", kAboutLine, "OK",
                     "ERROR PLAY MOVE", "ERROR PLAY MOVE", "OK", "INVALID POS:0,0"}));
}

TEST(GameCommands, NumbersBeyondThirtyTwoBitsReadAsTheNearerLimit) {
    // 4294967303 must not wrap round to the acceptable 7.
    EXPECT_EQ(session("START 99999999999\nSTART -99999999999\nTURN 4294967303,7\n"
                      "PLAY 7,4294967303\nTAKEBACK 99999999999,5\n"),
              (Lines{"ERROR:NOT SUPPORT<2147483647>", "ERROR:NOT SUPPORT<-2147483648>",
                     "ERROR COORDINATE", "ERROR PLAY MOVE", "INVALID POS:2147483647,0"}));
}

}  // namespace
}  // namespace korvane::protocol_test
