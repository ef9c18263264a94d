#include "engine/ai.h"

#include <cstdlib>
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
    HashTable table(static_cast<HashEntry*>(std::calloc(entries, sizeof(HashEntry))));
    if (!table) return false;
    hashTable = std::move(table);
    hashEntries = entries;
    hashMask = entries - 1;
    clearHashTable();
    return true;
}

// Clearing every slot would take time in proportion to the table (a quarter of a second
// for 1 GiB) at every search and new game; a new salt forgets them all at once. The
// salts follow a fixed sequence (splitmix64) and are never 0, so that zero-filled slots
// match no position either.
void AI::clearHashTable() {
    do {
        tableSalt = splitMix64(saltCounter);
    } while (tableSalt == 0);
}

}  // namespace korvane
