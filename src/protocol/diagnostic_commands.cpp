#include <string>

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
    Weights weights = engine.weights();
    for (int i = 0; i < kSettableWeights; ++i) args.readInt(weights[i]);
    engine.setWeights(weights);
}

void CommandLoop::getEvals() {
    const Weights weights = engine.weights();
    std::string line;
    for (int i = 0; i < kSettableWeights; ++i) line += std::to_string(weights[i]) + " ";
    output.line(line);
}

void CommandLoop::setDepth() {
    int depth = 0;
    args.readInt(depth);
    engine.setMaxDepth(depth);
}

void CommandLoop::isWin() {
    output.line(std::to_string(engine.lastMoveWinner()));
}

void CommandLoop::showBoardCommand() {
    int value = showBoard;
    args.readInt(value);
    showBoard = value;
    if (showBoard) output.write(printBoard(engine.ai()));
}

void CommandLoop::isShowMessage() {
    int show = engine.ai().showMessages;
    args.readInt(show);
    engine.setShowMessages(show);
}

void CommandLoop::vct() {
    int depth = 0;
    args.readInt(depth);
    output.line("vct:" + std::to_string(engine.vct(depth)));
}

void CommandLoop::evalFix() {
    WeightTuner tuner(engine);
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
