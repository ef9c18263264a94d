#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/ai.h"

namespace korvane {

// How an engine chooses its moves. The engine owns one and tells it of every change
// that voids what it may keep from one move to the next.
class MoveSearch {
public:
    virtual ~MoveSearch() = default;

    // The move for the side to move of `ai`, in internal coordinates; it is not played.
    // The settings, the reporter and the deadline machinery are those of `ai`.
    virtual ScoredMove chooseMove(AI& ai) = 0;
    // A new game began (START, RESTART, BOARD).
    virtual void newGame() {}
    // The rule or the weights changed: stored results no longer hold.
    virtual void evaluationChanged() {}
    // Gives the transposition table `entries` slots of 16 bytes; false when the memory
    // cannot be had, the table then staying as it was.
    virtual bool resizeTable(uint32_t entries) = 0;
};

// Makes the move choice of the engine whose position and settings are `ai`.
using SearchFactory = std::function<std::unique_ptr<MoveSearch>(AI& ai)>;

// Iterative-deepening alpha-beta with the threat searches (AI::searchRoot), over the
// AI's own transposition table.
class AlphaBetaSearch final : public MoveSearch {
public:
    explicit AlphaBetaSearch(AI& searched) : ai(searched) {}

    ScoredMove chooseMove(AI& searched) override { return searched.searchRoot(); }
    // An unchanged size keeps the stored entries.
    bool resizeTable(uint32_t entries) override {
        return entries == ai.hashEntries || ai.resizeHashTable(entries);
    }

private:
    AI& ai;
};

inline std::unique_ptr<MoveSearch> alphaBetaSearch(AI& ai) {
    return std::make_unique<AlphaBetaSearch>(ai);
}

}  // namespace korvane
