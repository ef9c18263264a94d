#include <algorithm>
#include <array>

#include "engine/eval/cell_score.h"
#include "engine/eval/weights.h"
#include "engine/search/pro/pro_search.h"

namespace korvane {

namespace {

// What a stone on one empty cell would make for one colour, its four line codes taken
// together.
enum CellThreat : uint8_t {
    kNoThreat = 0,
    kOpenThree = 1,    // one open three
    kFour = 2,         // one four that can be blocked
    kDoubleThree = 3,  // two open threes
    kWinning = 4,      // an open four, two fours, or a four with an open three
};

std::array<uint8_t, kCellScoreEntries> buildThreatTable() {
    std::array<uint8_t, kCellScoreEntries> table{};
    for (int index = 0; index < kCellScoreEntries; ++index) {
        int fours = 0, threes = 0;
        bool openFour = false;
        for (int i = index, d = 0; d < kDirections; ++d, i /= 10) {
            const int code = i % 10;
            openFour |= code == Live4;
            fours += code == Sleep4 ? 1 : 0;
            threes += code == Live3b || code == Live3l ? 1 : 0;
        }
        table[index] = openFour || fours >= 2 || (fours == 1 && threes >= 1) ? kWinning
                       : threes >= 2                                         ? kDoubleThree
                       : fours == 1                                          ? kFour
                       : threes == 1                                         ? kOpenThree
                                                                             : kNoThreat;
    }
    return table;
}

const std::array<uint8_t, kCellScoreEntries> kThreatOf = buildThreatTable();

// Having the move is worth this much: it keeps the values of consecutive iterations
// close, which the aspiration windows rely on.
constexpr int kTempo = 40;
constexpr int kMoverShare = 9;
// Cells of each threat kind, for the side to move and for the side that just moved.
constexpr int kMoverThreat[5] = {0, 0, 0, 0, 0};
constexpr int kWaiterThreat[5] = {0, 0, 0, 0, 0};

}  // namespace

int ProSearch::evaluate() const {
    const AI& b = *ai;
    const int32_t* me = b.patternCount[b.who];
    const int32_t* you = b.patternCount[b.opp];
    int64_t sum = kTempo;
    for (int code = 1; code < kPatternCodes; ++code)
        sum += (int64_t(me[code]) * kMoverShare - int64_t(you[code]) * 8) * evalWeights[code] / 8;

    // The strongest threat cell of each side: the side to move makes its own at once,
    // the other only if nothing forces it first.
    int mine = kNoThreat, theirs = kNoThreat;
    for (int y = b.yMin; y < b.yMax; ++y) {
        for (int x = b.xMin; x < b.xMax; ++x) {
            const Cell& cell = b.cells[y][x];
            if (cell.state != EMPTY || cell.neighbours == 0) continue;
            mine = std::max<int>(mine, kThreatOf[cellIndex(cell.codeBytes(b.who))]);
            theirs = std::max<int>(theirs, kThreatOf[cellIndex(cell.codeBytes(b.opp))]);
        }
    }
    // With no four to answer with, the opponent cannot stop a winning cell.
    if (mine == kWinning && you[Sleep4] == 0 && you[Live4] == 0) return kDecided - 1;
    sum += kMoverThreat[mine] - kWaiterThreat[theirs];
    return int(std::clamp<int64_t>(sum, 1 - kDecided, kDecided - 1));
}

}  // namespace korvane
