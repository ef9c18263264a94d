#include "engine/board/pattern_table.h"

#include <cstring>
#include <vector>

#include "engine/board/cell.h"

namespace korvane {

uint8_t patternTable[3][65536];
uint8_t patternPair[65536];
int32_t ruleValue = 99;
bool firstEngine = true;

namespace {

// Bit offset in a key of window position j (j != 4).
constexpr int keyShift(int j) {
    return j < 4 ? 2 * j : 2 * (j - 1);
}

int fiveCode(const LineWindow& w, int colour, bool exact, int current) {
    int run = 0;
    int code = current;
    for (int i = 0; i < 9; ++i) {
        run = w.cell[i] == colour ? run + 1 : 0;
        if (exact ? run == 5 : run >= 5)
            code = Five;
        else if (exact && run > 5)
            code = None;
    }
    return code;
}

// Number of empty window cells that, filled with `colour`, give a key classified `target`.
int countFills(const uint8_t* table, int key, int colour, int target) {
    int n = 0;
    for (int j = 0; j < 9; ++j) {
        if (j == 4) continue;
        int shift = keyShift(j);
        if (((key >> shift) & 3) != EMPTY) continue;
        n += table[key | (colour << shift)] == target;
    }
    return n;
}

}  // namespace

void decodeLine(int key, LineWindow& window, int colour) {
    for (int j = 0; j < 9; ++j) window.cell[j] = j == 4 ? colour : (key >> keyShift(j)) & 3;
}

void buildPatternTable(int colour, int rule) {
    uint8_t* table = patternTable[colour];
    const bool exact = rule != 0;
    // Classify on a cleared row, so a rule's table never depends on what was built before.
    std::memset(table, 0, 65536);
    std::vector<uint8_t> done(65536, 0);

    for (int key = 0; key < 65536; ++key) {
        LineWindow w;
        decodeLine(key, w, colour);
        int code = fiveCode(w, colour, exact, -1);
        if (code >= 0) {
            table[key] = uint8_t(code);
            done[key] = 1;
        }
    }
    // Each pass defines a code by what one more stone can reach; the first match wins.
    struct Pass {
        int target;
        int codeIfOne;
        int codeIfMore;
    };
    const Pass passes[] = {
        {Five, Sleep4, Live4},    {Live4, Live3b, Live3l},  {Sleep4, SLeep3, SLeep3},
        {Live3l, live2l, live2l}, {Live3b, Live2b, Live2b}, {SLeep3, Sleep2, Sleep2},
    };
    for (const Pass& pass : passes) {
        for (int key = 0; key < 65536; ++key) {
            if (done[key]) continue;
            int n = countFills(table, key, colour, pass.target);
            if (n == 0) continue;
            table[key] = uint8_t(n == 1 ? pass.codeIfOne : pass.codeIfMore);
            done[key] = 1;
        }
    }
    // Keys never classified keep None from the cleared row.
}

void buildPatternTables(int rule) {
    buildPatternTable(BLACK, rule);
    buildPatternTable(WHITE, rule);
    for (int key = 0; key < 65536; ++key) {
        patternPair[key] = uint8_t(patternTable[BLACK][key] | patternTable[WHITE][key] << 4);
    }
}

}  // namespace korvane
