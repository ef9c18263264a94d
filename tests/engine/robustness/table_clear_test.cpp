// The transposition table is emptied by a new salt instead of by writing every slot:
// entries of earlier searches must neither match nor change what a search finds.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "engine/ai.h"

namespace korvane {
namespace {

std::unique_ptr<AI> engineWith(std::initializer_list<std::pair<int, int>> stones) {
    auto engine = std::make_unique<AI>();
    engine->maxDepth = 5;
    engine->turnTimeout = 1000000;  // the depth, not the clock, ends the search
    engine->showMessages = 0;
    for (const auto& [x, y] : stones) engine->makeMove(x + kBorder, y + kBorder);
    return engine;
}

TEST(TableClear, StaleEntriesChangeNoSearch) {
    // A shallower search of the same position first: had its entries survived, their
    // moves would reorder the second search and change its node count.
    const auto stones = {std::pair{7, 7}, {8, 8}, {8, 6}, {6, 8}, {9, 7}};
    auto used = engineWith(stones);
    used->maxDepth = 3;
    used->searchRoot();
    used->maxDepth = 5;
    const ScoredMove reused = used->searchRoot();
    auto fresh = engineWith(stones);
    const ScoredMove clean = fresh->searchRoot();

    EXPECT_EQ(reused.x, clean.x);
    EXPECT_EQ(reused.y, clean.y);
    EXPECT_EQ(reused.score, clean.score);
    EXPECT_EQ(used->searchNodes, fresh->searchNodes);
    EXPECT_EQ(used->threatNodes, fresh->threatNodes);
    ASSERT_EQ(used->pv.last, fresh->pv.last);
    for (int i = 0; i <= used->pv.last; ++i) {
        EXPECT_EQ(used->pv.moves[i].x, fresh->pv.moves[i].x);
        EXPECT_EQ(used->pv.moves[i].y, fresh->pv.moves[i].y);
    }
}

TEST(TableClear, ClearedEntriesNoLongerMatch) {
    auto engine = engineWith({{7, 7}, {8, 8}, {8, 6}});
    const ScoredMove m = engine->searchRoot();
    engine->makeMove(m.x, m.y);
    ASSERT_EQ(engine->hashSlot().key, engine->tableKey());  // the PV position was stored
    engine->clearHashTable();
    EXPECT_NE(engine->hashSlot().key, engine->tableKey());
    // A resized table is empty as well, zero-filled slots included.
    ASSERT_TRUE(engine->resizeHashTable(1u << 10));
    EXPECT_NE(engine->hashSlot().key, engine->tableKey());
    EXPECT_EQ(engine->hashSlot().moveX, 0);
}

}  // namespace
}  // namespace korvane
