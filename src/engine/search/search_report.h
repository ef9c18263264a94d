#pragma once

#include <cstdint>

#include "engine/board/scored_move.h"

namespace korvane {

using PvList = MoveListOf<60>;

// What the root search tells about one finished iteration.
struct IterationReport {
    int depth;
    int maxPly;
    int value;
    ScoredMove move;
    int64_t time;     // milliseconds since the iteration started, read when reporting
    int64_t elapsed;  // the iteration's duration, at least 1
    int64_t nodes;
    int64_t threatNodes;
};

// Receives the search report; the protocol layer formats it. The engine never prints.
class SearchReporter {
public:
    virtual void searchStarted() = 0;
    virtual void iterationFinished(const IterationReport& report) = 0;
    virtual void principalVariation(const PvList& pv) = 0;

protected:
    ~SearchReporter() = default;
};

}  // namespace korvane
