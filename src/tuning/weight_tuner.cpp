#include "tuning/weight_tuner.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "engine/search/clock.h"

namespace korvane {

namespace {

constexpr int kTuningDepth = 8;
constexpr int kTuningTurnTimeout = 10000;
constexpr int kGamesPerOpening = 2;

void appendLine(const char* fileName, const std::string& line) {
    if (FILE* file = std::fopen(fileName, "a")) {
        std::fputs(line.c_str(), file);
        std::fclose(file);
    }
}

}  // namespace

int clampTuningDepth(int depth) {
    return std::clamp(depth, 2, 10);
}

std::string formatWeights(const int32_t* weights) {
    std::string text;
    for (int i = 0; i < kPatternCodes; ++i) text += std::to_string(weights[i]) + " ";
    return text;
}

void appendRecord(int count, const int32_t* weights) {
    appendLine("evalfix.txt", "ct:" + std::to_string(count) + "[" + formatWeights(weights) + "]\n");
}

void appendLog(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    appendLine("evalfix.log", std::string(buffer) + "\n");
}

WeightTuner::WeightTuner(Engine& tuned)
    : openings{{{3, 2}, {4, 3}, {5, 5}},
               {{4, 1}, {5, 4}, {5, 3}, {4, 5}, {6, 3}},
               {{3, 2}, {4, 4}},
               {{7, 7}}},
      engine(tuned),
      random(uint32_t(clockMs()) | 1) {
    // A full new game, so that the histories agree with the emptied board.
    engine.newGame();
    engine.setMaxDepth(kTuningDepth);
    engine.setTurnTimeout(kTuningTurnTimeout);
    const Weights current = engine.weights();
    std::copy(current.begin(), current.end(), candidate);
    std::copy(current.begin(), current.end(), reference);
    engine.setShowMessages(0);
}

// The report comes back on however the command ends.
WeightTuner::~WeightTuner() {
    engine.setShowMessages(1);
}

void WeightTuner::perturbCandidate() {
    for (int k = 1; k < kPatternCodes; ++k) {
        candidate[k] = std::max(0, reference[k] + int(random() % 10) - 5);
    }
}

void WeightTuner::run(int depth, int trials, const Progress& progress) {
    engine.setMaxDepth(clampTuningDepth(depth));
    int streak = 1;
    for (int trial = 0; trial < trials; ++trial) {
        perturbCandidate();
        const int wins = runMatch();
        if (wins >= int(openings.size()) + 2) {
            appendRecord(streak, reference);
            appendRecord(0, candidate);
            streak = 1;
        } else {
            ++streak;
        }
        progress(trial, trials);
    }
}

int WeightTuner::runMatch() {
    int wins = 0;
    int nonWins = 0;
    for (const Opening& opening : openings) {
        for (int game = 0; game < kGamesPerOpening; ++game) {
            engine.newGame();
            for (const auto& [x, y] : opening) engine.play({x, y});
            const int candidateColour = game == 0 ? BLACK : WHITE;
            if (playOut(candidateColour) == candidateColour)
                ++wins;
            else
                ++nonWins;
        }
    }
    appendLog("best:curr %d-%d", nonWins, wins);
    appendLog("sc_best:%s", formatWeights(reference).c_str());
    appendLog("sc_curr:%s", formatWeights(candidate).c_str());
    return wins;
}

bool WeightTuner::boardAlmostFull() const {
    const int size = engine.ai().size();
    return engine.ai().history.last + 1 > 0.8 * size * size;
}

int WeightTuner::playOut(int candidateColour) {
    if (boardAlmostFull()) return 0;
    for (;;) {
        engine.setEvaluationWeights(engine.ai().who == candidateColour ? candidate : reference);
        if (!engine.think().played) return 0;
        if (const int winner = engine.lastMoveWinner()) return winner;
        if (boardAlmostFull()) return 0;
    }
}

}  // namespace korvane
