#pragma once

#include <cstdint>
#include <memory>

#include "engine/board/scored_move.h"

namespace korvane {

enum class ProBound : uint8_t { None = 0, Upper = 1, Lower = 2, Exact = 3 };

// One slot of Korvane Pro's table. Values of proven results are stored relative to the
// node (a win in k plies from the node), so an entry reached at another distance from
// the root reads back right.
struct ProEntry {
    uint64_t key;
    int16_t value;
    int8_t depth;
    uint8_t generationBound;  // generation << 2 | bound
    int8_t moveX;             // 0 = no move (column 0 is never playable)
    int8_t moveY;
    // Fours the side to move was searched with for a win by fours and had none (0 = not
    // searched), so the proof is not tried again within that many.
    uint8_t noVcfWithin;
    // The same for wins by threes, counted in attacking moves.
    uint8_t noVctWithin;

    ProBound bound() const { return ProBound(generationBound & 3); }
    ScoredMove move() const { return {moveX, moveY, 0}; }
};
static_assert(sizeof(ProEntry) == 16);

// Depth given to proven results: deeper than any search, so nothing replaces them but a
// newer proof, and every probe may use them.
inline constexpr int kProvenDepth = 120;

// A table kept across the moves of a game: buckets of four entries (one cache line),
// replacement by depth and age. A generation counter is bumped at every search, so
// entries of earlier moves are replaced first.
class ProTable {
public:
    static constexpr int kBucketEntries = 4;

    // Resizes to `entries` slots (a power of two, at least one bucket), empty. Returns
    // false and keeps the old table when the memory cannot be had.
    bool resize(uint32_t entries);
    // Empties the table in constant time: entries stored under another salt match no key.
    void clear();
    // Generations run 1..63, so that a written slot is never all zero.
    void newSearch() { generation = uint8_t(generation % 63 + 1); }
    uint32_t entries() const { return bucketCount * kBucketEntries; }

    // Starts loading the bucket of `key`, to be probed soon.
    void prefetch(uint64_t key) const { __builtin_prefetch(&bucketOf(key)); }
    // The entry of `key`, or nullptr.
    const ProEntry* probe(uint64_t key) const;
    void store(uint64_t key, int depth, ProBound bound, int value, ScoredMove move);
    // Records that the side to move has no win by fours within `fours`.
    void storeNoVcf(uint64_t key, int fours);
    // Records that the side to move has no win by threes within `attacks`.
    void storeNoVct(uint64_t key, int attacks);

private:
    struct alignas(64) Bucket {
        ProEntry slot[kBucketEntries];
    };
    struct FreeMemory {
        void operator()(void* memory) const;
    };

    Bucket& bucketOf(uint64_t key) const { return buckets[key & (bucketCount - 1)]; }
    // The slot to write for stored key `stored`.
    ProEntry& slotFor(uint64_t stored) const;
    void storeNoWin(uint64_t key, uint8_t ProEntry::*field, int within);

    std::unique_ptr<void, FreeMemory> memory;
    Bucket* buckets = nullptr;
    uint32_t bucketCount = 0;
    uint8_t generation = 1;
    uint64_t salt = 0;
    uint64_t saltCounter = 0;
};

// Converts between values from the root and values from the node `ply` plies below it.
inline int valueToTable(int value, int ply, int decided) {
    return value > decided ? value + ply : value < -decided ? value - ply : value;
}
inline int valueFromTable(int value, int ply, int decided) {
    return value > decided ? value - ply : value < -decided ? value + ply : value;
}

}  // namespace korvane
