#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"

namespace korvane {

// Self-play search for better weights: random perturbations of the weights in force
// (the reference) play matches against it; winners are recorded in evalfix.txt and
// every match is reported in evalfix.log, both in the working directory.
class WeightTuner {
public:
    using Opening = std::vector<std::pair<int16_t, int16_t>>;
    using Progress = std::function<void(int trial, int trials)>;

    explicit WeightTuner(Engine& tuned);
    ~WeightTuner();

    // Runs `trials` trials at the clamped search depth.
    void run(int depth, int trials, const Progress& progress);
    // Plays every opening twice, the candidate once with each colour; its wins.
    int runMatch();
    // Plays the game on to its end: the winning colour, or 0 for a draw.
    int playOut(int candidateColour);

    int32_t candidate[kPatternCodes];
    int32_t reference[kPatternCodes];

private:
    bool boardAlmostFull() const;
    void perturbCandidate();

    std::vector<Opening> openings;
    Engine& engine;
    std::minstd_rand random;
};

// Clamps a requested tuning depth to 2..10.
int clampTuningDepth(int depth);
// The ten weights in decimal, each followed by one blank.
std::string formatWeights(const int32_t* weights);
void appendRecord(int count, const int32_t* weights);
void appendLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace korvane
