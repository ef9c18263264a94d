#pragma once

#include <cstdint>

#include "engine/ai.h"
#include "engine/search/move_search.h"
#include "engine/search/pro/move_timer.h"
#include "engine/search/pro/pro_table.h"

namespace korvane {

// Korvane Pro's search: principal-variation search with fail-soft bounds and aspiration
// windows over a table kept across the moves of a game, a complete search for wins by
// fours at every node, and move ordering by table move, forced answers, killers, history
// and cell scores. It plays on the engine's board and reads its settings.
//
// Values follow the engine's convention: from the side to move, a win k plies below the
// root is kWin - k, a loss k - kWin.
class ProSearch final : public MoveSearch {
public:
    ProSearch();

    ScoredMove chooseMove(AI& ai) override;
    void newGame() override;
    void evaluationChanged() override;
    // An unchanged size keeps the stored entries.
    bool resizeTable(uint32_t entries) override {
        return entries == table.entries() || table.resize(entries);
    }

private:
    static constexpr int kMaxPly = 60;

    // Steps of one node.
    int search(int depth, int alpha, int beta, bool pvNode);
    bool probe(const ProEntry* entry, int depth, int alpha, int beta, int& value) const;
    // `record`: a failed probe is noted in the table.
    int ownFoursWin(const ProEntry* entry, bool record);
    int ownThreesWin(const ProEntry* entry);
    int keepProof(int value);
    int expand(int depth, int alpha, int beta, bool pvNode, ScoredMove tableMove);
    int childValue(ScoredMove move, int index, int depth, int alpha, int beta, bool pvNode,
                   bool reduce);
    // The best value and move of a node so far; the node's lower bound is the greater of
    // its alpha and that value.
    struct NodeBest {
        int value;
        ScoredMove move;
    };
    bool takeValue(NodeBest& node, int v, ScoredMove m, int depth, int beta);
    void store(int depth, int alpha0, int beta, int value, ScoredMove move);
    void noteCut(ScoredMove move, int depth);

    // The root.
    int rootIteration(int depth, int alpha, int beta);
    int aspirate(int depth, int previous);
    int rootWin(ScoredMove& first);
    struct IterationStart {
        int64_t time;
        int64_t nodes;
        int64_t threatNodes;
    };
    void reportIteration(int depth, int value, const IterationStart& start);
    void collectPv();

    // Move choice.
    // Fills `list` unordered; returns 1 when its moves answer a threat.
    int generate(MoveList& list, ScoredMove tableMove) const;
    template <bool kDefence>
    int scoreCandidates(ScoredMove* out, ScoredMove tableMove) const;
    int movesSearched(const MoveList& list) const;
    bool facingOpenThree() const;
    bool promising(const Cell& cell, bool defence, int64_t& score) const;
    void buildOrderScores();
    bool tableMoveFirst(ScoredMove move) const;
    static void selectNext(MoveList& list, int i);
    bool quiet(ScoredMove move) const;

    // Wins by fours (threes false) or by fours and threes, from the side to move.
    // At the root, by fours: the plies until its five, or 0.
    int rootVcf(ScoredMove& firstMove);
    int quickVcf();
    int threatAttack(bool threes, int movesLeft, ScoredMove* firstMove);
    void collectAttacks(int colour, bool threes, MoveListOf<64>& list) const;
    int threatDefend(bool threes, int attacks);
    bool threatSearchEnds();

    int evaluate() const;
    // Distinct cells where `colour` makes five: 0, 1 or 2 (two or more), the first in `at`.
    int fivePoints(int colour, ScoredMove& at) const;
    bool timeUp();

    AI* ai = nullptr;
    ProTable table;
    MoveTimer timer{};
    bool aborted = false;
    int64_t searchNodes = 0;
    int64_t vcfNodes = 0;
    int64_t vcfLimit = 0;
    int32_t threatClockCalls = 0;

    MoveList rootMoves;
    ScoredMove rootBest{};
    int rootBestValue = 0;
    ScoredMove killers[kMaxPly + 2][2]{};
    int32_t history[3][kGrid][kGrid]{};
    // A cell's promise for the move order is the sum over its four directions of
    // orderScore[side to move][the direction's byte of both colours' codes]: the other
    // side's cell score and twice one's own.
    int64_t orderScore[3][256]{};
    // Positions whose attack failed, per search kind: key bits and attacking moves.
    static constexpr int kFailureSlots = 1 << 16;
    uint64_t vcfFailures[kFailureSlots]{};
    uint64_t vctFailures[kFailureSlots]{};
};

inline std::unique_ptr<MoveSearch> proSearch(AI&) {
    return std::make_unique<ProSearch>();
}

}  // namespace korvane
