#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <string_view>

#include "engine/board/cell.h"
#include "engine/board/pattern_table.h"
#include "engine/support/rule_tables.h"

namespace korvane {
namespace {

using Window = std::array<int, 9>;

// Key of the eight cells around the centre: c0..c3 in bits 0..7, c5..c8 in bits 8..15.
int keyOf(const Window& w) {
    int key = 0;
    for (int j = 0; j < 4; ++j) key |= w[j] << (2 * j);
    for (int j = 5; j < 9; ++j) key |= w[j] << (2 * (j - 1));
    return key;
}

// "X" is `colour`, "O" the other colour, "#" wall, "." empty; blanks are ignored.
Window parseWindow(std::string_view text, int colour) {
    Window w{};
    int i = 0;
    for (char c : text) {
        if (c == ' ') continue;
        w[i++] = c == 'X' ? colour : c == 'O' ? 3 - colour : c == '#' ? int(WALL) : int(EMPTY);
    }
    EXPECT_EQ(i, 9) << text;
    return w;
}

// A second, deliberately plain classifier: the shape definitions applied directly to
// a nine-cell window by filling its empty cells one at a time and classifying the
// result the same way. Memoised on the window because shapes share their fills.
class NaiveClassifier {
public:
    NaiveClassifier(int colour, bool exact) : colour_(colour), exact_(exact) {}

    int code(const Window& w) {
        auto found = memo_.find(w);
        if (found != memo_.end()) return found->second;
        const int result = classify(w);
        memo_.emplace(w, result);
        return result;
    }

private:
    int longestRun(const Window& w) const {
        int best = 0, run = 0;
        for (int cell : w) {
            run = cell == colour_ ? run + 1 : 0;
            best = std::max(best, run);
        }
        return best;
    }

    int classify(const Window& w) {
        const int run = longestRun(w);
        if (run == 5 || (run > 5 && !exact_)) return Five;
        if (run > 5) return None;
        int fills[kPatternCodes] = {};
        for (int j = 0; j < 9; ++j) {
            if (w[j] != EMPTY) continue;
            Window filled = w;
            filled[j] = colour_;
            ++fills[code(filled)];
        }
        if (fills[Five] >= 2) return Live4;
        if (fills[Five] == 1) return Sleep4;
        if (fills[Live4] >= 2) return Live3l;
        if (fills[Live4] == 1) return Live3b;
        if (fills[Sleep4] > 0) return SLeep3;
        if (fills[Live3l] > 0) return live2l;
        if (fills[Live3b] > 0) return Live2b;
        if (fills[SLeep3] > 0) return Sleep2;
        return None;
    }

    int colour_;
    bool exact_;
    std::map<Window, int> memo_;
};

Window windowOf(int key, int colour) {
    Window w{};
    for (int j = 0; j < 4; ++j) w[j] = (key >> (2 * j)) & 3;
    w[4] = colour;
    for (int j = 5; j < 9; ++j) w[j] = (key >> (2 * (j - 1))) & 3;
    return w;
}

struct WindowCase {
    const char* window;
    int freeStyle;
    int exactFive;
};

TEST(PatternTable, ClassifiesCharacteristicWindowsForBothColoursAndRules) {
    const WindowCase cases[] = {
        {". . . . X . . . .", None, None},     {". . . X X . . . .", live2l, live2l},
        {". . X . X . . . .", live2l, live2l}, {". X . . X . . . .", Live2b, Live2b},
        {"X . . . X . . . .", Sleep2, Sleep2}, {". . . X X O . . .", Sleep2, Sleep2},
        {"# # # . X X . . .", Live2b, Live2b}, {". . X X X . . . .", Live3l, Live3l},
        {". X . X X . . . .", Live3b, Live3b}, {"X . . X X . . . .", SLeep3, SLeep3},
        {". . X X X X . . .", Live4, Live4},   {"# . X X X X . . .", Live4, Live4},
        {". X . X X X . . .", Sleep4, Sleep4}, {"O X X X X . . . .", Sleep4, Sleep4},
        {"X . X X X . X . .", Live4, Live4},   {"X X X X X . . . .", Five, Five},
        {"X X X X X X . . .", Five, None},     {". X X . X . X X .", Live3l, SLeep3},
        {"X X X . X X . . .", Sleep4, Sleep2}, {"X X . . X X . . .", SLeep3, Live2b},
    };
    for (int rule : {0, 1}) {
        test::RuleTables tables(rule);
        for (const WindowCase& c : cases) {
            for (int colour : {BLACK, WHITE}) {
                const int key = keyOf(parseWindow(c.window, colour));
                EXPECT_EQ(patternTable[colour][key], rule == 0 ? c.freeStyle : c.exactFive)
                    << "window " << c.window << ", colour " << colour << ", rule " << rule;
            }
        }
    }
}

TEST(PatternTable, WindowsWithOnlyWallsBesideTheCentreAreNone) {
    for (int rule : {0, 1}) {
        test::RuleTables tables(rule);
        for (int mask = 0; mask < 256; ++mask) {
            int key = 0;
            for (int j = 0; j < 8; ++j) key |= ((mask >> j) & 1) * WALL << (2 * j);
            EXPECT_EQ(patternTable[BLACK][key], None) << "key " << key;
            EXPECT_EQ(patternTable[WHITE][key], None) << "key " << key;
        }
    }
}

TEST(PatternTable, ColourTwoIsColourOneWithStonesSwapped) {
    for (int rule : {0, 1}) {
        test::RuleTables tables(rule);
        int mismatches = 0;
        for (int key = 0; key < 65536; ++key) {
            int swapped = 0;
            for (int j = 0; j < 8; ++j) {
                const int cell = (key >> (2 * j)) & 3;
                swapped |= (cell == BLACK ? WHITE : cell == WHITE ? BLACK : cell) << (2 * j);
            }
            mismatches += patternTable[WHITE][swapped] != patternTable[BLACK][key];
            ASSERT_EQ(patternPair[key], patternTable[BLACK][key] | patternTable[WHITE][key] << 4);
        }
        EXPECT_EQ(mismatches, 0) << "rule " << rule;
    }
}

TEST(PatternTable, AgreesWithPlainClassifierOnEveryKey) {
    for (int rule : {0, 1}) {
        test::RuleTables tables(rule);
        for (int colour : {BLACK, WHITE}) {
            NaiveClassifier naive(colour, rule != 0);
            int mismatches = 0;
            for (int key = 0; key < 65536; ++key) {
                const int expected = naive.code(windowOf(key, colour));
                if (patternTable[colour][key] != expected && ++mismatches <= 5) {
                    ADD_FAILURE() << "key " << key << " colour " << colour << " rule " << rule
                                  << ": table " << int(patternTable[colour][key]) << ", expected "
                                  << expected;
                }
            }
            EXPECT_EQ(mismatches, 0);
        }
    }
}

TEST(PatternTable, RebuildDoesNotDependOnThePreviousTable) {
    test::RuleTables tables(0);
    std::memset(patternTable, 0, sizeof(patternTable));
    buildPatternTables(1);
    static uint8_t fresh[3][65536];
    std::memcpy(fresh, patternTable, sizeof(fresh));

    buildPatternTables(0);
    buildPatternTables(1);
    EXPECT_EQ(std::memcmp(fresh, patternTable, sizeof(fresh)), 0) << "exact five after free-style";
    buildPatternTables(1);
    EXPECT_EQ(std::memcmp(fresh, patternTable, sizeof(fresh)), 0) << "exact five twice";
}

}  // namespace
}  // namespace korvane
