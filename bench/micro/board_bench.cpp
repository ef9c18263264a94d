#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/ai.h"
#include "engine/board/pattern_table.h"

namespace korvane {
namespace {

struct Point {
    int x;
    int y;
};

// Mid-game 15 x 15 positions (internal coordinates, colours alternating from colour 1),
// none with a five or an open four on the board for either side.
const std::vector<Point> kPositions[] = {
    {{11, 11}, {12, 11}, {12, 14}, {11, 12}, {13, 10}, {9, 14},  {12, 10}, {10, 12},
     {10, 13}, {11, 10}, {13, 12}, {13, 11}, {14, 11}, {12, 13}, {9, 12},  {12, 9},
     {10, 11}, {11, 14}, {14, 10}, {15, 10}, {8, 11},  {6, 9},   {8, 13},  {9, 11}},
    {{11, 11}, {12, 12}, {11, 14}, {12, 10}, {12, 11}, {11, 12}, {13, 12}, {13, 11},
     {14, 10}, {12, 13}, {10, 11}, {8, 11},  {14, 12}, {14, 13}, {11, 13}, {12, 15},
     {12, 14}, {10, 12}, {9, 12},  {13, 13}, {15, 13}, {14, 14}, {13, 14}, {9, 14},
     {15, 15}, {8, 13},  {11, 16}, {11, 15}, {13, 15}, {14, 16}, {14, 15}},
    {{11, 11}, {12, 11}, {14, 11}, {11, 10}, {13, 12}, {15, 10}, {12, 12}, {10, 10},
     {13, 10}, {12, 9},  {13, 8},  {13, 11}, {13, 9},  {12, 10}, {12, 8},  {13, 7},
     {8, 10},  {11, 7},  {11, 9},  {14, 12}, {15, 13}, {14, 8},  {12, 7},  {10, 9},
     {12, 6},  {12, 4},  {10, 12}, {9, 12},  {9, 8},   {11, 8},  {10, 11}, {11, 6}},
};
constexpr int kPositionCount = int(std::size(kPositions));

// One engine per position, set up once (an engine is large and its first construction
// builds the process-wide tables). ply is zeroed as at the root of a search.
AI& engineAt(int index) {
    static std::unique_ptr<AI> engines[kPositionCount];
    std::unique_ptr<AI>& engine = engines[index];
    if (!engine) {
        engine = std::make_unique<AI>();
        for (Point p : kPositions[index]) engine->makeMove(p.x, p.y);
        engine->ply = 0;
    }
    return *engine;
}

std::vector<Point> emptyCells(const AI& ai) {
    std::vector<Point> cells;
    for (int y = kBorder; y < ai.limit; ++y)
        for (int x = kBorder; x < ai.limit; ++x)
            if (ai.isFree(x, y)) cells.push_back({x, y});
    return cells;
}

// One iteration is one makeMove + unmakeMove pair; the cells of the board are taken in turn.
void BM_MakeUnmakePair(benchmark::State& state) {
    AI& ai = engineAt(int(state.range(0)));
    const std::vector<Point> cells = emptyCells(ai);
    size_t next = 0;
    for (auto _ : state) {
        const Point p = cells[next];
        ai.makeMove(p.x, p.y);
        ai.unmakeMove(p.x, p.y);
        next = next + 1 == cells.size() ? 0 : next + 1;
    }
    benchmark::DoNotOptimize(ai.patternCount);
}
BENCHMARK(BM_MakeUnmakePair)->DenseRange(0, kPositionCount - 1);

void BM_BuildPatternTables(benchmark::State& state) {
    engineAt(0);  // the free-style tables as an engine leaves them
    for (auto _ : state) {
        buildPatternTables(0);
        benchmark::DoNotOptimize(patternPair);
    }
}
BENCHMARK(BM_BuildPatternTables)->Unit(benchmark::kMillisecond);

void BM_Evaluate(benchmark::State& state) {
    const AI& ai = engineAt(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ai.evaluate());
}
BENCHMARK(BM_Evaluate)->DenseRange(0, kPositionCount - 1);

void BM_GenerateMoves(benchmark::State& state) {
    const AI& ai = engineAt(int(state.range(0)));
    MoveList list;
    for (auto _ : state) {
        ai.generateMoves(list);
        benchmark::DoNotOptimize(list);
    }
    state.counters["moves"] = double(list.size());
}
BENCHMARK(BM_GenerateMoves)->DenseRange(0, kPositionCount - 1);

}  // namespace
}  // namespace korvane
