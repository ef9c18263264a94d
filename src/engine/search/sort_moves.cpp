#include "engine/search/sort_moves.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr int kRun = 32;

void insertionSort(ScoredMove* moves, int count) {
    for (int i = 1; i < count; ++i) {
        const ScoredMove m = moves[i];
        int j = i;
        for (; j > 0 && moves[j - 1].score < m.score; --j) moves[j] = moves[j - 1];
        moves[j] = m;
    }
}

// Merges the sorted runs [a, mid) and [mid, b) of `from` into `to`, left run first on ties.
void mergeRuns(const ScoredMove* from, ScoredMove* to, int a, int mid, int b) {
    int i = a, j = mid, out = a;
    while (i < mid && j < b) to[out++] = from[j].score > from[i].score ? from[j++] : from[i++];
    while (i < mid) to[out++] = from[i++];
    while (j < b) to[out++] = from[j++];
}

}  // namespace

void sortMoves(ScoredMove* moves, int count) {
    for (int a = 0; a < count; a += kRun) insertionSort(moves + a, std::min(kRun, count - a));
    if (count <= kRun) return;
    ScoredMove buffer[kMaxCells];
    ScoredMove* from = moves;
    ScoredMove* to = buffer;
    for (int width = kRun; width < count; width *= 2) {
        for (int a = 0; a < count; a += 2 * width) {
            mergeRuns(from, to, a, std::min(a + width, count), std::min(a + 2 * width, count));
        }
        std::swap(from, to);
    }
    if (from != moves) std::copy(from, from + count, moves);
}

}  // namespace korvane
