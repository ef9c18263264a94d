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

#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench_positions.h"
#include "engine/ai.h"
#include "engine/search/clock.h"

namespace korvane::bench {
namespace {

constexpr int kBenchDepth = 7;

// Keeps the iterations of one search; prints nothing.
class IterationLog final : public SearchReporter {
  public:
    void searchStarted() override { rows.clear(); }
    void iterationFinished(const IterationReport& report) override { rows.push_back(report); }
    void principalVariation(const PvList&) override {}

    std::vector<IterationReport> rows;
};

// FNV-1a over 64-bit values, low byte first.
class Signature {
  public:
    void add(int64_t v) {
        for (int i = 0; i < 8; ++i) {
            hash ^= uint8_t(uint64_t(v) >> (8 * i));
            hash *= 0x100000001B3ull;
        }
    }
    uint64_t value() const { return hash; }

  private:
    uint64_t hash = 0xCBF29CE484222325ull;
};

struct Result {
    int64_t nodes = 0;
    int value = 0;
    ScoredMove move{};
    int64_t ms = 0;
    std::vector<int64_t> msToDepth;  // [d]: time until iteration d had finished
};

bool playMoves(AI& ai, const BenchPosition& position) {
    ai.limit = position.size + kBorder;
    ai.resetGame();
    std::istringstream in(position.moves);
    int x, y;
    char comma;
    while (in >> x >> comma >> y) {
        if (comma != ',' || !ai.isFree(x + kBorder, y + kBorder)) return false;
        ai.makeMove(x + kBorder, y + kBorder);
    }
    return in.eof();
}

Result search(AI& ai, const IterationLog& log) {
    Result r;
    const int64_t start = clockMs();
    r.move = ai.searchRoot();
    r.ms = clockMs() - start;
    r.value = r.move.score;
    r.nodes = ai.threatNodes;
    int64_t elapsed = 0;
    r.msToDepth.assign(kBenchDepth + 1, -1);
    for (const IterationReport& row : log.rows) {
        r.nodes += row.nodes;
        elapsed += row.elapsed;
        r.msToDepth[row.depth] = elapsed;
    }
    return r;
}

// The value recorded in FILE on its line "signature <hex>".
bool readSignature(const char* path, uint64_t& out) {
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && word == "signature") return bool(words >> std::hex >> out);
    }
    return false;
}

int run(const char* checkFile) {
    auto ai = std::make_unique<AI>();
    IterationLog log;
    ai->reporter = &log;
    ai->maxDepth = kBenchDepth;
    ai->turnTimeout = INT32_MAX;
    ai->timeLeft = INT32_MAX;

    Signature signature;
    int64_t totalNodes = 0, totalMs = 0;
    std::vector<int64_t> depthMs(kBenchDepth + 1, 0);
    std::vector<int> depthCount(kBenchDepth + 1, 0);
    for (const BenchPosition& position : kBenchPositions) {
        if (!playMoves(*ai, position)) {
            std::fprintf(stderr, "bad move list in %s\n", position.name);
            return 2;
        }
        const Result r = search(*ai, log);
        std::printf("%-18s nodes %10" PRId64 "  value %6d  move %2d,%-2d  %6" PRId64 " ms\n",
                    position.name, r.nodes, r.value, r.move.x - kBorder, r.move.y - kBorder, r.ms);
        signature.add(r.nodes);
        signature.add(r.value);
        signature.add(r.move.x);
        signature.add(r.move.y);
        totalNodes += r.nodes;
        totalMs += r.ms;
        for (int d = 2; d <= kBenchDepth; ++d) {
            if (r.msToDepth[d] < 0) continue;
            depthMs[d] += r.msToDepth[d];
            ++depthCount[d];
        }
    }

    std::printf("nodes %" PRId64 "\n", totalNodes);
    std::printf("nps %" PRId64 "\n", totalNodes * 1000 / (totalMs > 0 ? totalMs : 1));
    for (int d = 2; d <= kBenchDepth; ++d) {
        std::printf("time-to-depth %d %" PRId64 " ms (%d positions)\n", d, depthMs[d],
                    depthCount[d]);
    }
    std::printf("signature %016" PRIx64 "\n", signature.value());

    if (!checkFile) return 0;
    uint64_t recorded = 0;
    if (!readSignature(checkFile, recorded)) {
        std::fprintf(stderr, "no signature in %s\n", checkFile);
        return 2;
    }
    if (recorded != signature.value()) {
        std::fprintf(stderr, "signature mismatch: recorded %016" PRIx64 "\n", recorded);
        return 1;
    }
    std::printf("signature matches %s\n", checkFile);
    return 0;
}

}  // namespace
}  // namespace korvane::bench

int main(int argc, char** argv) {
    if (argc == 1) return korvane::bench::run(nullptr);
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) return korvane::bench::run(argv[2]);
    std::fprintf(stderr, "usage: %s [--check FILE]\n", argv[0]);
    return 2;
}
