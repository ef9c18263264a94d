#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/board/board.h"
#include "engine/board/pattern_delta.h"
#include "engine/board/scored_move.h"
#include "engine/search/hash_entry.h"
#include "engine/search/search_report.h"

namespace korvane {

inline constexpr int kWin = 10000;       // a win at the root; k plies deeper it is kWin - k
inline constexpr int kDecided = 9900;    // magnitudes above this are proven results
inline constexpr int kInfinity = 20000;  // the root window's bounds
// The iterative deepening runs from kMinSearchDepth to at most kMaxSearchDepth.
inline constexpr int kMinSearchDepth = 2;
inline constexpr int kMaxSearchDepth = 60;
// The one iteration whose nodes with two or more plies left also try the three-threat
// search; the nodes of every other iteration try the four-threat search alone.
inline constexpr int kVctIteration = 4;
// The depth budget of the three-threat search in those nodes.
inline constexpr int kVctProofDepth = 20;

// The engine: the board with the side to move, the histories and the position key,
// the search state, the settings and the transposition table.
class AI final : public Board {
public:
    AI();
    AI(const AI&) = delete;
    AI& operator=(const AI&) = delete;

    // True when (x, y) is inside the playing area and empty.
    virtual bool isFree(int x, int y) const;

    // Board state (new game, stones placed and taken back).
    void resetGame();
    // Places a stone of colour `who` on the playable empty cell (x, y).
    void makeMove(int x, int y);
    // Removes the stone of the latest makeMove not yet undone; (x, y) is its cell.
    void unmakeMove(int x, int y);
    // Places the same stones again on an empty board, so that every code follows the
    // current pattern tables (after a rule change).
    void replayStones();
    // Rebuilds every derived field from the stones alone and compares: true when equal.
    bool isConsistent() const;

    // Evaluation and board queries.
    int evaluate() const;
    void findPatternCell(int player, int key, ScoredMove& out) const;
    void findFivePoint(int player, int historyIndex, ScoredMove& out) const;
    void collectLineMoves(int player, int key, int historyIndex, LineMoveList& list) const;

    // Search.
    void generateMoves(MoveList& list) const;
    int alphaBeta(int depth, int alpha, int beta);
    ScoredMove searchRoot();
    void collectPv(PvList& line, ScoredMove move, int depth);

    // Threat searches. The probes answer in search values from the side to move: a win
    // proven k plies below the search root is kWin - k, a loss k - kWin, and 0 means
    // nothing proven or out of time (abortSearch set). vcfProbe tries fours alone,
    // vctProbe open threes as well, within `depth` plies.
    int vcfProbe();
    int vctProbe(int depth);
    // The attack and defence steps answer in threat results r from the side to move:
    // r > 0 it wins, r < 0 it loses, 0 nothing proven or out of time. One ply up a result
    // becomes passUp(r), so its magnitude grows with the distance to the five.
    int vcfAttack();
    int vcfDefend();
    int vctAttack(int depth);
    int vctDefend(int depth);
    template <typename Reply>
    int firstWinningAttack(const ScoredMove* moves, int count, int minScore, Reply reply);

    // Transposition table: resizes to `entries` (a power of two), zero-filled. Returns
    // false and keeps the old table when the memory cannot be had.
    bool resizeHashTable(uint32_t entries);
    // Empties the table in constant time by changing the salt (no slot is written).
    void clearHashTable();
    const HashEntry& hashSlot() const { return hashTable[hashKey & hashMask]; }
    // The key stored in and compared with the slots: the position key mixed with the
    // salt of the table's current contents.
    uint64_t tableKey() const { return hashKey ^ tableSalt; }
    // The per-move time budget in milliseconds, from the time settings.
    int64_t budgetMs() const;
    // The first empty cell in scan order: the answer when no candidate is near a stone.
    ScoredMove firstFreeCell() const;

    // Side to move and history.
    int32_t who = BLACK;
    int32_t opp = WHITE;
    int32_t xMin = 28, xMax = 4, yMin = 28, yMax = 4;
    HistoryList history;
    HistoryList boxHistory;
    int32_t ply = 0;
    int32_t maxPly = 0;
    uint64_t zobrist[3][kGrid][kGrid];
    uint64_t hashKey = 0;

    // Search state.
    MoveList rootMoves;
    ScoredMove bestMove{};
    PvList pv;
    int64_t deadline = 0;
    std::atomic<int> abortSearch{0};
    int64_t searchNodes = 0;
    int64_t threatNodes = 0;
    int32_t useVctInSearch = 0;
    SearchReporter* reporter = nullptr;

    // Settings.
    int32_t turnTimeout = 5000;
    int32_t timeLeft = 1048575;
    // Milliseconds for the whole match; 0, the start-up value, means no limit. Kept for
    // searches that plan over the match: searchRoot does not read it.
    int32_t timeoutMatch = 0;
    int32_t maxDepth = 30;
    int32_t showMessages = 1;

    // Transposition table.
    HashTable hashTable;
    uint32_t hashEntries = 0;
    uint32_t hashMask = 0;
    // Changed to empty the table: entries stored under another salt no longer match.
    uint64_t tableSalt = 0;
    uint64_t saltCounter = 0;

private:
    void clearPosition();
    void updateLines(int x, int y, PatternDelta delta);
    void addNeighbours(int x, int y, int step);
    // Reads the clock on every period-th call and sets abortSearch past the deadline.
    void checkClock(int32_t& counter, int period);
    int threatCheck(int depth);
    int expand(int depth, int alpha, int beta);
    void storeEntry(int depth, Bound bound, int value, ScoredMove move);
    int rootIteration(int depth);
    ScoredMove nextPvMove() const;
    int threatScore(int r) const;
    void collectFirstFours(int minScore, MoveListOf<64>& list) const;
    template <typename Next>
    int blockFiveThen(Next next);
    int firstHoldingDefence(const ScoredMove* moves, int count, int depth);

    // Calls since the last clock reading, one counter per routine that checks the clock.
    int32_t searchClockCounter = 0;
    int32_t vcfAttackClock = 0;
    int32_t vcfDefendClock = 0;
    int32_t vctAttackClock = 0;
    int32_t vctDefendClock = 0;
};

// Passes a threat-search result one ply up: negated, one step further from zero.
inline int passUp(int r) {
    int v = -r;
    return v > 0 ? v + 1 : v < 0 ? v - 1 : 0;
}

}  // namespace korvane
