#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/board/pattern_table.h"
#include "protocol/command_loop.h"

namespace korvane {
namespace {

// Runs a whole session in-process and hands the engine it left to `check`.
template <typename Check>
void afterSession(const std::string& input, Check check) {
    std::istringstream in(input);
    std::ostringstream out;
    CommandLoop loop(in, out);
    loop.run();
    check(loop.engineState(), out.str());
}

TEST(InfoSettings, TimeKeysShapeTheBudget) {
    afterSession("info time_left 30\n", [](const AI& ai, const std::string&) {
        EXPECT_EQ(ai.timeLeft, 30);
        EXPECT_EQ(ai.budgetMs(), 20);  // 30 / 3 = 10, raised to the floor
    });
    afterSession("INFO TIMEOUT_TURN -5\n",
                 [](const AI& ai, const std::string&) { EXPECT_EQ(ai.budgetMs(), 20); });
    afterSession("INFO TIMEOUT_TURN 700\nINFO TIME_LEFT 3000\n",
                 [](const AI& ai, const std::string&) { EXPECT_EQ(ai.budgetMs(), 700); });
    afterSession("", [](const AI& ai, const std::string&) { EXPECT_EQ(ai.budgetMs(), 5000); });
    // Kept for a search that plans over the match; it leaves the budget alone.
    afterSession("INFO TIMEOUT_MATCH 180000\n", [](const AI& ai, const std::string&) {
        EXPECT_EQ(ai.timeoutMatch, 180000);
        EXPECT_EQ(ai.budgetMs(), 5000);
    });
}

TEST(InfoSettings, MaxMemorySizesTheTable) {
    const auto entriesAfter = [](const std::string& value) {
        uint32_t entries = 0;
        afterSession("INFO MAX_MEMORY " + value + "\n",
                     [&](const AI& ai, const std::string&) { entries = ai.hashEntries; });
        return entries;
    };
    EXPECT_EQ(entriesAfter("0"), 1u << 20);
    EXPECT_EQ(entriesAfter("10485760"), 1u << 20);
    EXPECT_EQ(entriesAfter("10485775"), 1u << 20);  // room for less than one entry
    EXPECT_EQ(entriesAfter("10485776"), 1u);
    EXPECT_EQ(entriesAfter("67108864"), 1u << 21);
    EXPECT_EQ(entriesAfter("2147483647"), 1u << 26);
}

TEST(InfoSettings, UnchangedTableSizeKeepsItsEntries) {
    // A search fills the table; the default size asked again keeps what it stored.
    afterSession("INFO TIMEOUT_TURN 50\nBOARD\n7,7,1\n8,8,2\nDONE\nINFO MAX_MEMORY 27262976\n",
                 [](const AI& ai, const std::string&) {
                     EXPECT_EQ(ai.hashEntries, 1u << 20);
                     int stored = 0;
                     for (uint32_t i = 0; i < ai.hashEntries; ++i)
                         stored += ai.hashTable[i].depth != 0;
                     EXPECT_GT(stored, 0);
                 });
}

TEST(InfoSettings, RuleSwitchesOnceAndZeroDoesNotRestore) {
    afterSession("INFO RULE 1\nINFO RULE 1\nINFO RULE 0\n", [](const AI&, const std::string& out) {
        EXPECT_EQ(ruleValue, 1);
        EXPECT_EQ(out, "");
    });
    ruleValue = 0;
    buildPatternTables(0);
}

}  // namespace
}  // namespace korvane
