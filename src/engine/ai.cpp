#include "engine/ai.h"

#include <cstring>
#include <new>

#include "engine/board/pattern_table.h"
#include "engine/board/zobrist.h"
#include "engine/eval/cell_score.h"

namespace korvane {

AI::AI() {
    limit = kBorder + 15;
    if (firstEngine) {
        ruleValue = 0;
        buildPatternTables(0);
        buildFixedCellScore();
        buildCellScore();
        firstEngine = false;
    }
    reset();
    makeZobristKeys(zobrist);
    if (!resizeHashTable(kDefaultHashEntries)) throw std::bad_alloc();
    resetGame();
}

bool AI::resizeHashTable(uint32_t entries) {
    std::unique_ptr<HashEntry[]> table(new (std::nothrow) HashEntry[entries]);
    if (!table) return false;
    hashTable = std::move(table);
    hashEntries = entries;
    hashMask = entries - 1;
    clearHashTable();
    return true;
}

void AI::clearHashTable() {
    std::memset(hashTable.get(), 0, sizeof(HashEntry) * hashEntries);
}

}  // namespace korvane
