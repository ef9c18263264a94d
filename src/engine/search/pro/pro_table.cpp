#include "engine/search/pro/pro_table.h"

#include <cstdlib>

#include "engine/board/zobrist.h"

namespace korvane {

void ProTable::FreeMemory::operator()(void* block) const {
    std::free(block);
}

bool ProTable::resize(uint32_t entries) {
    const uint32_t count = entries / kBucketEntries > 0 ? entries / kBucketEntries : 1;
    // calloc: large blocks come zeroed from the system and become resident only where
    // the search writes, so even a large table costs nothing up front. One bucket more
    // leaves room to align the first to a cache line.
    void* block = std::calloc(size_t(count) + 1, sizeof(Bucket));
    if (!block) return false;
    memory.reset(block);
    const uintptr_t address = reinterpret_cast<uintptr_t>(block);
    buckets = reinterpret_cast<Bucket*>((address + alignof(Bucket) - 1) &
                                        ~uintptr_t(alignof(Bucket) - 1));
    bucketCount = count;
    clear();
    return true;
}

void ProTable::clear() {
    do {
        salt = splitMix64(saltCounter);
    } while (salt == 0);
    generation = 1;
}

const ProEntry* ProTable::probe(uint64_t key) const {
    const uint64_t stored = key ^ salt;
    for (const ProEntry& e : bucketOf(key).slot)
        if (e.key == stored && e.generationBound != 0) return &e;
    return nullptr;
}

// Its own entry when present, else an empty one, else the least valuable, where a
// generation of age counts as much as four plies of depth.
ProEntry& ProTable::slotFor(uint64_t stored) const {
    Bucket& b = bucketOf(stored ^ salt);
    ProEntry* victim = &b.slot[0];
    int worst = 1 << 30;
    for (ProEntry& e : b.slot) {
        if (e.key == stored || e.generationBound == 0) return e;
        const int age = (generation - (e.generationBound >> 2) + 63) % 63;
        const int worth = e.depth - 4 * age;
        if (worth < worst) {
            worst = worth;
            victim = &e;
        }
    }
    return *victim;
}

void ProTable::store(uint64_t key, int depth, ProBound bound, int value, ScoredMove move) {
    const uint64_t stored = key ^ salt;
    ProEntry& e = slotFor(stored);
    const bool same = e.key == stored && e.generationBound != 0;
    // A shallower result does not replace a deeper one of the same position, unless it
    // is exact and the old one only a bound.
    if (same && e.depth > depth && !(bound == ProBound::Exact && e.bound() != ProBound::Exact))
        return;
    const ScoredMove kept = move.x == 0 && same ? e.move() : move;
    e = {stored,
         int16_t(value),
         int8_t(depth),
         uint8_t(generation << 2 | uint8_t(bound)),
         int8_t(kept.x),
         int8_t(kept.y),
         same ? e.noVcfWithin : uint8_t(0),
         same ? e.noVctWithin : uint8_t(0)};
}

// Marks a threat search without a win in the position's entry, making one if need be.
void ProTable::storeNoWin(uint64_t key, uint8_t ProEntry::*field, int within) {
    const uint64_t stored = key ^ salt;
    ProEntry& e = slotFor(stored);
    if (e.key != stored || e.generationBound == 0)
        e = {stored, 0, -1, uint8_t(generation << 2), 0, 0, 0, 0};
    if (within > e.*field) e.*field = uint8_t(within);
}

void ProTable::storeNoVcf(uint64_t key, int fours) {
    storeNoWin(key, &ProEntry::noVcfWithin, fours);
}

void ProTable::storeNoVct(uint64_t key, int attacks) {
    storeNoWin(key, &ProEntry::noVctWithin, attacks);
}

}  // namespace korvane
