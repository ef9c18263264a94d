#include "engine/search/pro/pro_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

#include "engine/board/zobrist.h"

namespace korvane {

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kPrefaultBytes = size_t(64) << 20;
}  // namespace

void ProTable::FreeMemory::operator()(void* block) const {
    std::free(block);
}

bool ProTable::resize(uint32_t entries) {
    const uint32_t count = entries / kBucketEntries > 0 ? entries / kBucketEntries : 1;
    const size_t bytes = size_t(count) * sizeof(Bucket);
    // Large tables start on a 2 MiB boundary, so that the system may back them with huge
    // pages: a probe then rarely misses the address cache, and a fresh table costs a few
    // page faults instead of one per 4 KiB. The block comes zeroed from calloc.
    const size_t alignment = bytes >= kHugePage ? kHugePage : alignof(Bucket);
    void* block = std::calloc(bytes + alignment, 1);
    if (!block) return false;
    memory.reset(block);
    const uintptr_t address = reinterpret_cast<uintptr_t>(block);
    buckets = reinterpret_cast<Bucket*>((address + alignment - 1) & ~uintptr_t(alignment - 1));
#ifdef MADV_HUGEPAGE
    if (alignment == kHugePage) madvise(buckets, bytes, MADV_HUGEPAGE);
#endif
    // Touched now rather than during the first searches of a game, which would pay for
    // the page faults; beyond kPrefaultBytes a table is touched as the search writes it,
    // so that a large max_memory does not hold up the next command.
    std::memset(static_cast<void*>(buckets), 0, std::min(bytes, kPrefaultBytes));
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
