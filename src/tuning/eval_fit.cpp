#include "tuning/eval_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <istream>
#include <sstream>
#include <string>

namespace korvane {

namespace {

bool readPoint(const std::string& word, WirePoint& p) {
    char comma = 0;
    std::istringstream in(word);
    return bool(in >> p.x >> comma >> p.y) && comma == ',';
}

// The winner a result line names, or -1 when the game did not end on the board.
int winnerOf(const std::string& result) {
    const bool onBoard = result.find(", five") != std::string::npos ||
                         result.find(", full board") != std::string::npos;
    if (!onBoard) return -1;
    if (result.rfind("1-0", 0) == 0) return BLACK;
    if (result.rfind("0-1", 0) == 0) return WHITE;
    if (result.rfind("1/2-1/2", 0) == 0) return 0;
    return -1;
}

int numberAfter(const std::string& line, const std::string& key) {
    const auto at = line.find(key);
    return at == std::string::npos ? 0 : std::atoi(line.c_str() + at + key.size());
}

double logistic(double v, double scale) {
    return 1 / (1 + std::exp(-v / scale));
}

FitSample sampleOf(const AI& b) {
    FitSample s{};
    for (int code = 1; code < kPatternCodes; ++code) {
        s.features[code] = int16_t(b.patternCount[b.who][code]);
        s.features[kPatternCodes + code] = int16_t(-b.patternCount[b.opp][code]);
    }
    const FourCombos combos = countFourCombos(b, b.opp);
    s.features[kFitTempo] = 1;
    s.features[kFitTempo + 1] = int16_t(-combos.doubleFours);
    s.features[kFitTempo + 2] = int16_t(-combos.fourThrees);
    return s;
}

}  // namespace

std::optional<GameRecord> readGameRecord(std::istream& in) {
    GameRecord game;
    int winner = -1;
    std::string line;
    WirePoint p;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first, second;
        words >> first;
        if (first == "game") {
            game.size = numberAfter(line, "size ");
            game.rule = numberAfter(line, "rule ");
        } else if (line.rfind("opening stones:", 0) == 0) {
            words >> second;  // "stones:"
            while (words >> second)
                if (readPoint(second, p)) game.stones.push_back(p);
        } else if (first == "result:") {
            winner = winnerOf(line.substr(8));
        } else if (first.size() > 1 && first.back() == '.' && words >> second &&
                   readPoint(second, p)) {
            game.stones.push_back(p);  // "  12. x,y colour ms"
        }
    }
    if (game.size == 0 || winner < 0) return std::nullopt;
    game.winner = winner;
    return game;
}

void collectSamples(Engine& engine, const GameRecord& game, std::vector<FitSample>& samples) {
    if (!engine.newGame(game.size)) return;
    engine.setRule(game.rule);
    for (const WirePoint p : game.stones) {
        const AI& b = engine.ai();
        const int32_t* me = b.patternCount[b.who];
        const int32_t* you = b.patternCount[b.opp];
        if (me[Five] == 0 && you[Five] == 0 && me[Live4] == 0) {
            FitSample s = sampleOf(b);
            s.score = game.winner == 0 ? 0.5f : game.winner == b.who ? 1.0f : 0.0f;
            samples.push_back(s);
        }
        if (!engine.play(p)) return;
    }
}

FitWeights toFitWeights(const ProWeights& w) {
    FitWeights f{};
    for (int code = 0; code < kPatternCodes; ++code) {
        f[code] = w.mine[code];
        f[kPatternCodes + code] = w.theirs[code];
    }
    f[kFitTempo] = w.tempo;
    f[kFitTempo + 1] = w.theirDoubleFour;
    f[kFitTempo + 2] = w.theirFourThree;
    return f;
}

double evaluateSample(const FitWeights& weights, const FitSample& sample) {
    double v = 0;
    for (int i = 0; i < kFitFeatures; ++i) v += weights[i] * sample.features[i];
    return v;
}

double fitLoss(const std::vector<FitSample>& samples, const FitWeights& weights, double scale) {
    double sum = 0;
    for (const FitSample& s : samples) {
        const double p = std::clamp(logistic(evaluateSample(weights, s), scale), 1e-9, 1 - 1e-9);
        sum -= s.score * std::log(p) + (1 - s.score) * std::log(1 - p);
    }
    return samples.empty() ? 0 : sum / double(samples.size());
}

double fitScale(const std::vector<FitSample>& samples, const FitWeights& weights) {
    // The loss is unimodal in the scale: a golden-section search over a wide range.
    double low = 1, high = 10000;
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double a = high - ratio * (high - low);
        const double b = low + ratio * (high - low);
        if (fitLoss(samples, weights, a) < fitLoss(samples, weights, b))
            high = b;
        else
            low = a;
    }
    return (low + high) / 2;
}

FitWeights fitWeights(const std::vector<FitSample>& samples, FitWeights start, double scale,
                      int steps) {
    constexpr double kRate = 0.05, kBeta1 = 0.9, kBeta2 = 0.999, kEpsilon = 1e-8;
    FitWeights w = start, moment{}, square{};
    for (int step = 1; step <= steps && !samples.empty(); ++step) {
        FitWeights gradient{};
        for (const FitSample& s : samples) {
            const double error = (logistic(evaluateSample(w, s), scale) - s.score) / scale;
            for (int i = 0; i < kFitFeatures; ++i) gradient[i] += error * s.features[i];
        }
        for (int i = 0; i < kFitFeatures; ++i) {
            const double g = gradient[i] / double(samples.size());
            moment[i] = kBeta1 * moment[i] + (1 - kBeta1) * g;
            square[i] = kBeta2 * square[i] + (1 - kBeta2) * g * g;
            const double m = moment[i] / (1 - std::pow(kBeta1, step));
            const double v = square[i] / (1 - std::pow(kBeta2, step));
            w[i] -= kRate * m / (std::sqrt(v) + kEpsilon);
        }
    }
    return w;
}

}  // namespace korvane
