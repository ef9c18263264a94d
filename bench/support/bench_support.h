#pragma once

// What both signature benchmarks share: setting up the fixed positions, keeping the
// search report, and the signature that a recorded file is checked against.

#include <cstdint>
#include <vector>

#include "engine/engine.h"
#include "engine/search/search_report.h"
#include "signature/bench_positions.h"

namespace korvane::bench {

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

// Sets up `position` in a new game; false when its move list is bad.
bool playMoves(Engine& engine, const BenchPosition& position);
// Compares with the value on the line "signature <hex>" of the file at `path`, prints
// the outcome and returns the exit code: 0 equal, 1 different, 2 no signature there.
int checkSignature(uint64_t signature, const char* path);

}  // namespace korvane::bench
