#include <algorithm>
#include <string>

#include "engine/eval/cell_score.h"
#include "engine/eval/weights.h"
#include "engine/search/clock.h"
#include "protocol/board_picture.h"
#include "protocol/command_loop.h"
#include "protocol/settings.h"
#include "tuning/weight_tuner.h"

namespace korvane {

namespace {
// SET_EVALS and GET_EVALS cover the weights of codes 0 to 7.
constexpr int kSettableWeights = 8;
}  // namespace

void CommandLoop::setEvals() {
    for (int i = 0; i < kSettableWeights; ++i) args.readInt(evalWeights[i]);
    buildCellScore();
}

void CommandLoop::getEvals() {
    std::string line;
    for (int i = 0; i < kSettableWeights; ++i) line += std::to_string(evalWeights[i]) + " ";
    output.line(line);
}

void CommandLoop::setDepth() {
    int depth = 0;
    args.readInt(depth);
    engine->maxDepth = std::clamp(depth, 2, kMaxSearchDepth);
}

void CommandLoop::isWin() {
    const int i = engine->history.last;
    int winner = 0;
    if (i >= 0) {
        const ScoredMove last = engine->history.moves[i];
        const int colour = i % 2 == 0 ? BLACK : WHITE;
        if (engine->cells[last.y][last.x].hasPattern(colour, Five)) winner = colour;
    }
    output.line(std::to_string(winner));
}

void CommandLoop::showBoardCommand() {
    int value = showBoard;
    args.readInt(value);
    showBoard = value;
    if (showBoard) output.write(printBoard(*engine));
}

void CommandLoop::isShowMessage() {
    args.readInt(engine->showMessages);
}

void CommandLoop::vct() {
    int depth = 0;
    args.readInt(depth);
    // A search of its own: from the current position, under a fresh per-move budget.
    engine->ply = 0;
    engine->deadline = clockMs() + engine->budgetMs();
    engine->abortSearch.store(0);
    output.line("vct:" + std::to_string(engine->vctProbe(depth)));
}

void CommandLoop::evalFix() {
    WeightTuner tuner(*engine);
    int depth = 0;
    int trials = 0;
    args.readInt(depth);
    args.readInt(trials);
    tuner.run(depth, trials, [this](int trial, int total) {
        output.write("fix:" + std::to_string(trial) + "/" + std::to_string(total) + "\r");
    });
    output.printMessage("Fix ok\n");
}

}  // namespace korvane
