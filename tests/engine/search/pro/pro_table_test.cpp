#include "engine/search/pro/pro_table.h"

#include <gtest/gtest.h>

#include "engine/ai.h"

namespace korvane {
namespace {

constexpr uint64_t kKey = 0x1234567890ABCDEFull;

// Keys that share kKey's bucket in a table of `buckets` buckets.
uint64_t sameBucket(int i, uint32_t buckets) {
    return kKey + uint64_t(i) * buckets;
}

TEST(ProTable, KeepsEntriesAcrossSearchesUntilCleared) {
    ProTable table;
    ASSERT_TRUE(table.resize(1024));
    table.store(kKey, 5, ProBound::Exact, 42, {7, 8, 0});
    table.newSearch();
    table.newSearch();
    const ProEntry* e = table.probe(kKey);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->value, 42);
    EXPECT_EQ(e->depth, 5);
    EXPECT_EQ(e->bound(), ProBound::Exact);
    EXPECT_EQ(e->moveX, 7);
    EXPECT_EQ(e->moveY, 8);
    EXPECT_EQ(table.probe(kKey + 1), nullptr);
    table.clear();
    EXPECT_EQ(table.probe(kKey), nullptr);
}

TEST(ProTable, AShallowerBoundKeepsTheDeeperResultAndTheMove) {
    ProTable table;
    ASSERT_TRUE(table.resize(1024));
    table.store(kKey, 6, ProBound::Lower, 10, {5, 5, 0});
    table.store(kKey, 3, ProBound::Upper, -10, {6, 6, 0});
    EXPECT_EQ(table.probe(kKey)->depth, 6);
    // An exact result replaces a deeper bound; without a move it keeps the stored one.
    table.store(kKey, 3, ProBound::Exact, 1, {0, 0, 0});
    EXPECT_EQ(table.probe(kKey)->bound(), ProBound::Exact);
    EXPECT_EQ(table.probe(kKey)->moveX, 5);
    // A threat search without a win marks the entry and leaves its result alone.
    table.storeNoVcf(kKey, 12);
    table.storeNoVct(kKey, 6);
    EXPECT_EQ(table.probe(kKey)->noVcfWithin, 12);
    EXPECT_EQ(table.probe(kKey)->noVctWithin, 6);
    EXPECT_EQ(table.probe(kKey)->value, 1);
}

TEST(ProTable, AFullBucketGivesUpItsOldestShallowestEntry) {
    ProTable table;
    const uint32_t buckets = 256;
    ASSERT_TRUE(table.resize(buckets * ProTable::kBucketEntries));
    table.store(sameBucket(0, buckets), 2, ProBound::Exact, 0, {});
    table.newSearch();
    for (int i = 1; i < ProTable::kBucketEntries; ++i)
        table.store(sameBucket(i, buckets), 3, ProBound::Exact, 0, {});
    // The entry of the earlier search goes first, although it is not much shallower.
    table.store(sameBucket(9, buckets), 1, ProBound::Exact, 0, {});
    EXPECT_EQ(table.probe(sameBucket(0, buckets)), nullptr);
    EXPECT_NE(table.probe(sameBucket(9, buckets)), nullptr);
    // Within one search the shallowest goes.
    table.store(sameBucket(10, buckets), 4, ProBound::Exact, 0, {});
    EXPECT_EQ(table.probe(sameBucket(9, buckets)), nullptr);
    for (int i = 1; i < ProTable::kBucketEntries; ++i)
        EXPECT_NE(table.probe(sameBucket(i, buckets)), nullptr) << i;
}

TEST(ProTable, ProvenValuesAreStoredFromTheNodeAndReadFromTheRoot) {
    const int winIn5 = kWin - 5;
    // Stored at ply 2, read back at ply 4 of another search: the same win from the node.
    const int stored = valueToTable(winIn5, 2, kDecided);
    EXPECT_EQ(valueFromTable(stored, 4, kDecided), kWin - 7);
    EXPECT_EQ(valueFromTable(valueToTable(5 - kWin, 2, kDecided), 1, kDecided), 4 - kWin);
    EXPECT_EQ(valueToTable(300, 7, kDecided), 300);
}

}  // namespace
}  // namespace korvane
