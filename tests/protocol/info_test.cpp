#include <gtest/gtest.h>

#include "protocol/support/session.h"

namespace korvane::protocol_test {
namespace {

using Lines = std::vector<std::string>;

TEST(InfoCommand, KeysInAnyCaseReadTheirValuesSilently) {
    // A key not taken would leave its value to be reported as an unknown command.
    EXPECT_EQ(session("info timeout_turn 50\nINFO Time_Left 100000\nINFO timeout_match 9\n"
                      "INFO GAME_TYPE 1\nInfo max_memory 0\nINFO rule 0\nINFO folder /tmp/x\n"
                      "ABOUT\nINFO TIMEOUT_TURN"),
              (Lines{kAboutLine}));
}

TEST(InfoCommand, TakesItsWholeLineAndWritesNothing) {
    // Unknown keys with their values, a folder with blanks, more after a value, no key:
    // the next line is a command again. As a manager sends them: START's OK must be the
    // first reply, and BEGIN's move the next.
    EXPECT_EQ(session("INFO thread_num 1\nINFO EVALUATE 7,7\nSTART 15\n"
                      "INFO folder C:\\Program Files\\AI data\r\nINFO timeout_turn 50 60\nINFO\n"
                      "BEGIN\n"),
              (Lines{"OK", "7,7"}));
}

TEST(InfoCommand, AnyMemoryLimitLeavesAWorkingTable) {
    // Below 10 MiB, less than one entry above it, exactly one entry, and 32 MiB; a search
    // runs after each change.
    const char* const limits[] = {"0", "-5", "10485760", "10485775", "10485776", "44040192"};
    std::string script = "INFO TIMEOUT_TURN 30\nIS_SHOW_MESSAGE 0\n";
    int stone = 0;
    for (const char* limit : limits) {
        script +=
            "INFO MAX_MEMORY " + std::string(limit) + "\nTURN " + std::to_string(stone) + ",0\n";
        stone += 2;
    }
    const Lines lines = session(script);
    ASSERT_EQ(lines.size(), std::size(limits));
    for (const std::string& line : lines) EXPECT_TRUE(parseMove(line)) << line;
}

TEST(InfoCommand, TheLargestMemoryLimitIsAccepted) {
#if defined(__SANITIZE_THREAD__)
    // The thread checker's shadow of a 1 GiB table takes minutes to fill, and the table
    // has nothing to do with threads.
    GTEST_SKIP();
#endif
    // Both give 2^26 entries (1 GiB); a machine without the memory keeps the old table
    // and says so in a MESSAGE line.
    EXPECT_EQ(withoutMessages(session("INFO MAX_MEMORY 99999999999\nINFO MAX_MEMORY 2147483647\n"
                                      "ABOUT\n")),
              (Lines{kAboutLine}));
}

// Black makes a row of six on row 7 with its last stone at 4,7; white's stones stay apart.
constexpr const char* kRowOfSixButOne =
    "PLAY 1,7\nPLAY 1,0\nPLAY 2,7\nPLAY 3,0\nPLAY 3,7\nPLAY 5,0\nPLAY 5,7\nPLAY 7,0\n"
    "PLAY 6,7\nPLAY 9,0\n";

TEST(InfoCommand, RuleOneCountsOnlyExactFives) {
    const std::string six = std::string(kRowOfSixButOne) + "PLAY 4,7\nIS_WIN\n";
    EXPECT_EQ(session(six), (Lines{"1"}));
    EXPECT_EQ(session("INFO RULE 1\n" + six), (Lines{"0"}));
    // Changed with the stones already on the board, a later RULE 0 changing nothing.
    EXPECT_EQ(
        session(std::string(kRowOfSixButOne) + "INFO RULE 1\nINFO RULE 0\nPLAY 4,7\nIS_WIN\n"),
        (Lines{"0"}));
    // An exact five still wins.
    EXPECT_EQ(session("INFO RULE 1\nPLAY 1,7\nPLAY 1,0\nPLAY 2,7\nPLAY 3,0\nPLAY 3,7\nPLAY 5,0\n"
                      "PLAY 5,7\nPLAY 7,0\nPLAY 4,7\nIS_WIN\n"),
              (Lines{"1"}));
}

}  // namespace
}  // namespace korvane::protocol_test
