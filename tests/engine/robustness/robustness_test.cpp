// Large and odd input through the whole command loop, in-process: no crash, the
// expected replies, every output line of a known form and the engine consistent.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz/session_check.h"
#include "protocol/board_picture.h"

namespace korvane {
namespace {

using fuzz::runSession;
using fuzz::SessionResult;

void expectSound(const SessionResult& r) {
    EXPECT_TRUE(r.consistent);
    EXPECT_TRUE(r.endsWithLineEnd);
    EXPECT_TRUE(r.badLines.empty()) << r.badLines.front().substr(0, 200);
}

// The lines that are not MESSAGE lines (the search report).
std::vector<std::string> replies(const SessionResult& r) {
    std::vector<std::string> kept;
    for (const std::string& line : r.lines) {
        if (line.rfind("MESSAGE", 0) != 0) kept.push_back(line);
    }
    return kept;
}

const std::string kAbout =
    "name=\"Korvane\",author=\"Tolmaren\",version=\"2.0\",country=\"International\","
    "email=\"korvane@example.org\"";

// The checker itself: it must accept every reply form and nothing else.
TEST(Robustness, SessionCheckKnowsTheReplyForms) {
    auto engine = std::make_unique<AI>();
    engine->limit = kBorder + 24;
    engine->resetGame();
    engine->makeMove(kBorder + 23, kBorder + 10);
    std::istringstream pictures(printBoard(*engine) + printPatternCounts(*engine));
    for (std::string line; std::getline(pictures, line);)
        EXPECT_TRUE(fuzz::knownReplyLine(line)) << line;
    for (const char* line : {"7,7", "OK", "ERROR Command \"X\" not support", "ERROR BOARD POS:1,A",
                             "ERROR:NOT SUPPORT<-3>", "INVALID POS:0,-1", "vct:9996", "2",
                             "0 0 1 2 4 12 15 21 ", "MESSAGE PV:[7,7] "}) {
        EXPECT_TRUE(fuzz::knownReplyLine(line)) << line;
    }
    for (const char* line : {"", "7,7 ", "OK.", "ERROR Command \"A B\" not support", "3",
                             "vct:", "0 0 1 2 4 12 15 ", "MESSAGEX", " |   |x", "_who:\t1\t2"}) {
        EXPECT_FALSE(fuzz::knownReplyLine(line)) << line;
    }
    EXPECT_FALSE(fuzz::moveOnBoard("24,0"));
    EXPECT_FALSE(fuzz::moveOnBoard("-1,3"));
}

TEST(Robustness, MegabyteLines) {
    const std::string word(3 << 20, 'q');
    const std::string blanks(1 << 20, ' ');
    const std::string digits(1 << 20, '9');
    const SessionResult r =
        runSession(word + "\n" + blanks + "\n\n" + "START 15\nTURN " + digits + ",1\nABOUT\n");
    expectSound(r);
    const auto lines = replies(r);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "ERROR Command \"" + std::string(3 << 20, 'Q') + "\" not support");
    EXPECT_EQ(lines[1], "OK");
    EXPECT_EQ(lines[2], "ERROR COORDINATE");  // the number reads as 2147483647
    EXPECT_EQ(lines[3], kAbout);
}

TEST(Robustness, NulBytesAreWordCharacters) {
    const std::string nul(1, '\0');
    const SessionResult r = runSession("AB" + nul + "OUT\n" + nul + "\nABOUT" + nul +
                                       "\nABOUT\nSTART 1" + nul + "5\nPLAY 7,7\n");
    expectSound(r);
    const auto lines = replies(r);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "ERROR Command \"AB" + nul + "OUT\" not support");
    EXPECT_EQ(lines[1], "ERROR Command \"" + nul + "\" not support");
    EXPECT_EQ(lines[2], "ERROR Command \"ABOUT" + nul + "\" not support");
    EXPECT_EQ(lines[3], kAbout);
    // The number ends at the NUL: size 1 is refused, and the NUL starts the next word.
    EXPECT_EQ(lines[4], "ERROR:NOT SUPPORT<1>");
    EXPECT_EQ(lines[5], "ERROR Command \"" + nul + "5\" not support");
}

TEST(Robustness, NumbersBeyond32Bits) {
    const SessionResult r = runSession(
        "START 4294967305\nSTART -99999999999\nTAKEBACK 99999999999,-99999999999\n"
        "START 15\nTURN 4294967303,7\nPLAY 7,4294967303\nINFO time_left -99999999999\n"
        "INFO timeout_turn -99999999999\nPLAY 7,7\nBEGIN\nIS_WIN\n");
    expectSound(r);
    const auto lines = replies(r);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "ERROR:NOT SUPPORT<2147483647>");
    EXPECT_EQ(lines[1], "ERROR:NOT SUPPORT<-2147483648>");
    EXPECT_EQ(lines[2], "INVALID POS:2147483647,0");  // y is not read after the failure
    EXPECT_EQ(lines[3], "OK");
    EXPECT_EQ(lines[4], "ERROR COORDINATE");  // no wrap-around to 7,7
    EXPECT_EQ(lines[5], "ERROR PLAY MOVE");
    // Time settings at the lower limit still give a move (the budget's floor).
    long long x = -1, y = -1;
    EXPECT_TRUE(fuzz::moveLine(lines[6], x, y) && fuzz::moveOnBoard(lines[6]));
    EXPECT_EQ(lines[7], "0");
}

// Every point of the board as a BOARD stone word, then `extra` words again from the start.
std::string boardBlock(int size, int extra) {
    std::string block = "BOARD\n";
    for (int i = 0; i < size * size + extra; ++i) {
        const int cell = i % (size * size);
        block += std::to_string(cell % size) + "," + std::to_string(cell / size) + ",1\n";
    }
    return block + "DONE\n";
}

TEST(Robustness, BoardBlockOf600Stones) {
    // 576 stones fill a 24 x 24 board; the 577th repeats 0,0 and ends the block.
    const SessionResult full = runSession("START 24\n" + boardBlock(24, 24) + "TAKEBACK 0,0\n");
    expectSound(full);
    const auto lines = replies(full);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "OK");
    EXPECT_EQ(lines[1], "ERROR BOARD POS:0,0,1");
    long long x = -1, y = -1;
    EXPECT_TRUE(fuzz::moveLine(lines[2], x, y));  // a full board answers too
    EXPECT_EQ(lines[3], "OK");

    // On 15 x 15 the first repeat ends the block; the dropped words are not commands.
    const SessionResult small = runSession("START 15\n" + boardBlock(15, 375) + "GET_EVALS\n");
    expectSound(small);
    const auto smallLines = replies(small);
    ASSERT_EQ(smallLines.size(), 4u);
    EXPECT_EQ(smallLines[1], "ERROR BOARD POS:0,0,1");
    EXPECT_EQ(smallLines[3], "0 0 1 2 4 12 15 21 ");
}

TEST(Robustness, ThousandsOfCommandsWithoutEnd) {
    std::string input = "START 20\n";
    for (int i = 0; i < 3000; ++i) input += "PLAY 3,3\nPLAY 4,4\nTAKEBACK 0,0\nTAKEBACK 0,0\n";
    for (int i = 0; i < 2000; ++i) input += "RESTART\nINFO time_left 1000\nINFO max_memory 0\n";
    const SessionResult r = runSession(input + "PLAY 3,3\nIS_WIN");  // no END, no line end
    expectSound(r);
    const auto lines = replies(r);
    ASSERT_EQ(lines.size(), 1u + 6000 + 2000 + 1);
    EXPECT_EQ(lines[6000], "OK");
    EXPECT_EQ(lines.back(), "0");
}

TEST(Robustness, EndInEveryState) {
    struct Case {
        const char* input;
        std::vector<std::string> replies;
    };
    const Case cases[] = {
        {"END\nABOUT\n", {}},
        {"START 15\nEND\nSTART 20\n", {"OK"}},
        {"START 15\nBEGIN\nEND\nPLAY 1,1\n", {"OK", "7,7"}},
        // A search in progress still gives its move.
        {"START 15\nPLAY 7,7\nBEGIN\nEND\nABOUT\n", {"OK", "*"}},
        // Inside a BOARD block END is a bad stone; the block then runs to DONE.
        {"START 15\nBOARD\n7,7,1\nEND\nABOUT\nDONE\nEND\nABOUT\n",
         {"OK", "ERROR BOARD POS:END", "*"}},
        // After a malformed number the rest of the line, END included, is skipped.
        {"INFO timeout_turn x END\nABOUT\nEND\n", {kAbout}},
        {"TURN END\nEND\nABOUT\n", {"ERROR COORDINATE"}},
        // The failed read stores 0; the weights after it keep their values.
        {"SET_EVALS 1 2 END\nGET_EVALS\nEND\n", {"1 2 0 2 4 12 15 21 "}},
        {"INFO END\nABOUT\n", {kAbout}},  // END taken as an INFO key
        {"END\nEND\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const SessionResult r = runSession(c.input);
        expectSound(r);
        const auto lines = replies(r);
        ASSERT_EQ(lines.size(), c.replies.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            if (c.replies[i] != "*") {
                EXPECT_EQ(lines[i], c.replies[i]);
            }
        }
    }
}

// The fuzzer's seed sessions and every input it ever failed on, replayed.
TEST(Robustness, FuzzCorpusAndRegressions) {
    const auto fuzzFolder = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "fuzz";
    int replayed = 0;
    for (const char* sub : {"corpus", "regressions"}) {
        if (!std::filesystem::exists(fuzzFolder / sub)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(fuzzFolder / sub)) {
            SCOPED_TRACE(entry.path().string());
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream content;
            content << file.rdbuf();
            expectSound(runSession(content.str()));
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 4);
}

}  // namespace
}  // namespace korvane
