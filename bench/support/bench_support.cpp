#include "support/bench_support.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace korvane::bench {

bool playMoves(Engine& engine, const BenchPosition& position) {
    if (!engine.newGame(position.size)) return false;
    std::istringstream in(position.moves);
    int x, y;
    char comma;
    while (in >> x >> comma >> y) {
        if (comma != ',' || !engine.play({x, y})) return false;
    }
    return in.eof();
}

namespace {

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

}  // namespace

int checkSignature(uint64_t signature, const char* path) {
    uint64_t recorded = 0;
    if (!readSignature(path, recorded)) {
        std::fprintf(stderr, "no signature in %s\n", path);
        return 2;
    }
    if (recorded != signature) {
        std::fprintf(stderr, "signature mismatch: recorded %016" PRIx64 "\n", recorded);
        return 1;
    }
    std::printf("signature matches %s\n", path);
    return 0;
}

}  // namespace korvane::bench
