#include "engine/search/pro/move_timer.h"

#include <algorithm>

namespace korvane {

namespace {
constexpr int64_t kMinBudgetMs = 20;
// A move may take this share of the time left in the match: enough for the rest of a
// long game, and more per move early while plenty is left.
constexpr int64_t kMovesPlanned = 15;
// Kept back from the budget for the last nodes, playing the move and writing it.
constexpr int64_t kMaxReserveMs = 30;
constexpr int64_t kMinReserveMs = 3;
// An iteration is started only while less than this share (in percent) of the budget
// has gone: the next one usually takes longer than all before it together.
constexpr int64_t kSoftPercent = 60;
}  // namespace

MoveTimer MoveTimer::plan(int64_t now, int32_t turnTimeout, int32_t timeLeft,
                          int32_t matchTimeout) {
    // A manager that sets a match time but never sends time_left leaves the whole match.
    if (matchTimeout > 0) timeLeft = std::min(timeLeft, matchTimeout);
    int64_t budget = turnTimeout > 0 ? turnTimeout : kMinBudgetMs;
    // Without a match clock time_left stays large (by default 1048575) and binds nothing.
    budget = std::min<int64_t>(budget, std::max<int32_t>(0, timeLeft) / kMovesPlanned);
    budget = std::max(budget, kMinBudgetMs);
    const int64_t reserve = std::clamp(budget / 16, kMinReserveMs, kMaxReserveMs);
    const int64_t usable = budget - reserve;
    return {now, now + usable * kSoftPercent / 100, now + usable};
}

}  // namespace korvane
