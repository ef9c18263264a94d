// korvane-bench: searches fixed positions to a fixed depth and prints the work done,
// the speed and a signature of the results. The search is deterministic at a fixed
// depth (fixed position keys, no time limit reached), so a change of the signature
// means a change of the search's behaviour.
//
// Nodes of a position: the alpha-beta nodes of every iteration plus the four-threat
// nodes of the whole search (three-threat nodes are not counted by the engine).
//
//   korvane-bench               run and print
//   korvane-bench --check FILE  also compare the signature with the one in FILE

#include <chrono>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/search/clock.h"
#include "support/bench_support.h"

namespace korvane::bench {
namespace {

constexpr int kBenchDepth = 7;
constexpr std::chrono::milliseconds kProofTiming{20};

struct Result {
    int64_t nodes = 0;
    int value = 0;
    WirePoint move;
    int64_t ms = 0;
    std::vector<int64_t> msToDepth;  // [d]: time until iteration d had finished
};

Result search(Engine& engine, const IterationLog& log) {
    Result r;
    const int64_t start = clockMs();
    const ChosenMove chosen = engine.think();
    r.ms = clockMs() - start;
    r.move = chosen.point;
    r.value = chosen.value;
    r.nodes = engine.ai().threatNodes;
    int64_t elapsed = 0;
    r.msToDepth.assign(kBenchDepth + 1, -1);
    for (const IterationReport& row : log.rows) {
        r.nodes += row.nodes;
        elapsed += row.elapsed;
        r.msToDepth[row.depth] = elapsed;
    }
    return r;
}

// Sums over all positions.
struct Totals {
    int64_t nodes = 0;
    int64_t ms = 0;
    std::vector<int64_t> msToDepth = std::vector<int64_t>(kBenchDepth + 1, 0);
    std::vector<int> reached = std::vector<int>(kBenchDepth + 1, 0);

    void add(const Result& r) {
        nodes += r.nodes;
        ms += r.ms;
        for (int d = 2; d <= kBenchDepth; ++d) {
            if (r.msToDepth[d] < 0) continue;
            msToDepth[d] += r.msToDepth[d];
            ++reached[d];
        }
    }
    void print() const {
        std::printf("nodes %" PRId64 "\n", nodes);
        std::printf("nps %" PRId64 "\n", nodes * 1000 / (ms > 0 ? ms : 1));
        for (int d = 2; d <= kBenchDepth; ++d) {
            std::printf("time-to-depth %d %" PRId64 " ms (%d positions)\n", d, msToDepth[d],
                        reached[d]);
        }
    }
};

// Times the threat probes at a position whose root they decide: the four-threat probe,
// or the three-threat probe when fours alone prove nothing. Not part of the signature.
void printProof(Engine& engine, const char* name) {
    const bool byFours = engine.vcf() != 0;
    auto probe = [&] { return byFours ? engine.vcf() : engine.vct(kVctProofDepth); };
    const int value = probe();
    if (value == 0) return;
    const int64_t threatNodes = engine.ai().threatNodes;
    int64_t calls = 0;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::duration<double> elapsed{};
    do {
        probe();
        ++calls;
        elapsed = std::chrono::steady_clock::now() - start;
    } while (elapsed < kProofTiming);
    std::printf("proof %-18s %s %6d  %8.2f us", name, byFours ? "vcf" : "vct", value,
                elapsed.count() * 1e6 / double(calls));
    if (byFours)
        std::printf("  %10.0f threat nodes/s",
                    (engine.ai().threatNodes - threatNodes) / elapsed.count());
    std::printf("\n");
}

// Searches every position; prints them and the totals; returns the signature.
bool searchAll(Engine& engine, const IterationLog& log, uint64_t& signatureValue) {
    Signature signature;
    Totals totals;
    for (const BenchPosition& position : kBenchPositions) {
        if (!playMoves(engine, position)) {
            std::fprintf(stderr, "bad move list in %s\n", position.name);
            return false;
        }
        const Result r = search(engine, log);
        std::printf("%-18s nodes %10" PRId64 "  value %6d  move %2d,%-2d  %6" PRId64 " ms\n",
                    position.name, r.nodes, r.value, r.move.x, r.move.y, r.ms);
        // The recorded signatures hash the move in internal coordinates.
        const ScoredMove cell = toInternal(r.move);
        for (int64_t v : {r.nodes, int64_t(r.value), int64_t(cell.x), int64_t(cell.y)}) {
            signature.add(v);
        }
        totals.add(r);
    }
    totals.print();
    signatureValue = signature.value();
    return true;
}

int run(const char* checkFile) {
    Engine engine;
    IterationLog log;
    engine.setReporter(&log);
    engine.setMaxDepth(kBenchDepth);
    engine.setTurnTimeout(INT32_MAX);
    engine.setTimeLeft(INT32_MAX);

    uint64_t signature = 0;
    if (!searchAll(engine, log, signature)) return 2;
    for (const BenchPosition& position : kBenchPositions) {
        if (playMoves(engine, position)) printProof(engine, position.name);
    }
    std::printf("signature %016" PRIx64 "\n", signature);
    return checkFile ? checkSignature(signature, checkFile) : 0;
}

}  // namespace
}  // namespace korvane::bench

int main(int argc, char** argv) {
    if (argc == 1) return korvane::bench::run(nullptr);
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) return korvane::bench::run(argv[2]);
    std::fprintf(stderr, "usage: %s [--check FILE]\n", argv[0]);
    return 2;
}
