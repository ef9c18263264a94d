// korvane-pro-bench: Korvane Pro's search on the fixed positions of korvane-bench, each
// from a new game (an empty table) to a fixed depth. Prints nodes, values, moves, the
// speed and time to depth, and a signature of the results: at a fixed depth the search
// is deterministic, so a changed signature means a changed search.
//
// Nodes of a position: the search nodes and the threat-search nodes of every iteration.
//
//   korvane-pro-bench               run and print
//   korvane-pro-bench --check FILE  also compare the signature with the one in FILE
//   korvane-pro-bench --depth D     search to depth D instead (nothing to check)

#include <chrono>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/search/pro/pro_search.h"
#include "support/bench_support.h"

namespace korvane::bench {
namespace {

constexpr int kProBenchDepth = 8;

int run(int depth, const char* checkFile) {
    Engine engine(proSearch);
    IterationLog log;
    engine.setReporter(&log);
    engine.setMaxDepth(depth);
    engine.setTurnTimeout(INT32_MAX);
    engine.setTimeLeft(INT32_MAX);

    Signature signature;
    int64_t totalNodes = 0;
    double totalSeconds = 0;
    for (const BenchPosition& position : kBenchPositions) {
        if (!playMoves(engine, position)) {
            std::fprintf(stderr, "bad move list in %s\n", position.name);
            return 2;
        }
        const auto start = std::chrono::steady_clock::now();
        const ChosenMove chosen = engine.think();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        int64_t nodes = 0;
        for (const IterationReport& row : log.rows) nodes += row.nodes + row.threatNodes;
        const int reached = log.rows.empty() ? 0 : log.rows.back().depth;
        std::printf("%-18s nodes %10" PRId64 "  value %6d  move %2d,%-2d  depth %2d  %8.1f ms\n",
                    position.name, nodes, chosen.value, chosen.point.x, chosen.point.y, reached,
                    took.count() * 1e3);
        for (int64_t v :
             {nodes, int64_t(chosen.value), int64_t(chosen.point.x), int64_t(chosen.point.y)})
            signature.add(v);
        totalNodes += nodes;
        totalSeconds += took.count();
    }
    std::printf("nodes %" PRId64 "\n", totalNodes);
    std::printf("nps %.0f\n", double(totalNodes) / (totalSeconds > 0 ? totalSeconds : 1));
    std::printf("time %.0f ms\n", totalSeconds * 1e3);
    std::printf("signature %016" PRIx64 "\n", signature.value());
    return checkFile ? checkSignature(signature.value(), checkFile) : 0;
}

}  // namespace
}  // namespace korvane::bench

int main(int argc, char** argv) {
    using korvane::bench::kProBenchDepth;
    using korvane::bench::run;
    if (argc == 1) return run(kProBenchDepth, nullptr);
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) return run(kProBenchDepth, argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--depth") == 0) return run(std::atoi(argv[2]), nullptr);
    std::fprintf(stderr, "usage: %s [--check FILE | --depth D]\n", argv[0]);
    return 2;
}
