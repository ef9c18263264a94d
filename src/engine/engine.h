#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "engine/ai.h"
#include "engine/eval/weights.h"
#include "engine/search/move_search.h"
#include "engine/wire_point.h"

namespace korvane {

// The engine's answer to a move request.
struct ChosenMove {
    WirePoint point;
    int value;    // the search's value of the move for the side that played it
    bool played;  // false only on a full board, where no stone can be placed
};

// The one way into the engine for every caller: the protocol's handlers and its worker,
// the tuner and the bench. Points are wire points. It keeps together what a caller could
// otherwise leave disagreeing: the pattern tables and the codes of the stones on the
// board, the weights and the cell scores, and the move search told of both.
//
// The rule, the weights and the tables behind them are process-wide (one engine per
// process in the program); the position and the settings belong to the object.
class Engine {
public:
    explicit Engine(const SearchFactory& makeSearch = alphaBetaSearch);

    // The whole position and the settings, for reading (pictures, reports, tests).
    const AI& ai() const { return *state; }

    // The game.
    // A new game on a size x size board; false, and nothing changes, for a size the
    // engine does not play.
    bool newGame(int size);
    // A new game on the same board.
    void newGame();
    // Places a stone of the side to move; false, and nothing changes, when the point is
    // off the board or taken.
    bool play(WirePoint point);
    // Takes the last stone back; false on an empty board.
    bool takeBack();
    // The colour whose last stone made five; 0 when it made none or the board is empty.
    int lastMoveWinner() const;
    // Chooses a move for the side to move and plays it.
    ChosenMove think();
    // Proof searches from the current position under a fresh per-move budget, on fours
    // alone or on threes within `depth` plies; the value convention of vcfProbe.
    int vcf();
    int vct(int depth);

    // The evaluation.
    // 0 free-style, any other value exact five; the stones on the board are read again
    // through the new tables.
    void setRule(int rule);
    Weights weights() const;
    // The weights of the evaluation and of the move ordering.
    void setWeights(std::span<const int32_t, kPatternCodes> weights);
    // The weights of the evaluation alone: the move ordering keeps those of the last
    // setWeights. Self-play tuning plays both sides of a game this way, so that the
    // sides differ in what they judge, not in what they try first.
    void setEvaluationWeights(std::span<const int32_t, kPatternCodes> weights);

    // The settings.
    void setTurnTimeout(int ms) { state->turnTimeout = ms; }
    void setTimeLeft(int ms) { state->timeLeft = ms; }
    void setTimeoutMatch(int ms) { state->timeoutMatch = ms; }
    // Clamped to kMinSearchDepth..kMaxSearchDepth.
    void setMaxDepth(int depth);
    // Nonzero: the search report goes to the reporter.
    void setShowMessages(int show) { state->showMessages = show; }
    void setReporter(SearchReporter* reporter) { state->reporter = reporter; }
    // `entries` transposition slots of 16 bytes; false when the memory cannot be had.
    bool setTableEntries(uint32_t entries) { return search->resizeTable(entries); }

private:
    // Starts a search of its own from the current position.
    void startProof();

    std::unique_ptr<AI> state;
    std::unique_ptr<MoveSearch> search;
};

}  // namespace korvane
