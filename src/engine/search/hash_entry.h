#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace korvane {

enum Bound : uint8_t { Exact = 1, UpperBound = 2, LowerBound = 3 };

// One transposition slot; the slot of a position is hashKey & hashMask.
struct HashEntry {
    uint64_t key;
    int8_t depth;
    uint8_t bound;
    int8_t moveX;  // 0 = no move (column 0 is never a playable cell)
    int8_t moveY;
    int32_t value;
};
static_assert(sizeof(HashEntry) == 16);

inline constexpr uint32_t kDefaultHashEntries = 1u << 20;

// The table is allocated with calloc: large blocks come zeroed straight from the system
// and become resident only where the search writes, so a resize costs neither time nor
// memory up front.
struct FreeHashTable {
    void operator()(HashEntry* table) const { std::free(table); }
};
using HashTable = std::unique_ptr<HashEntry[], FreeHashTable>;

}  // namespace korvane
