#include "protocol/command_loop.h"

namespace korvane {

CommandLoop::CommandLoop(std::istream& in, std::ostream& out, const EngineFlavour& flavour)
    : args(in),
      output(out),
      engine(flavour.makeSearch),
      aboutLine(flavour.about),
      reporter(output),
      worker(engine, output, running) {
    engine.setReporter(&reporter);
    worker.start();
    buildCommandTable();
}

CommandLoop::~CommandLoop() {
    worker.stop();
}

void CommandLoop::buildCommandTable() {
    commandTable = {
        {"START", &CommandLoop::start},
        {"RESTART", &CommandLoop::restart},
        {"TAKEBACK", &CommandLoop::takeback},
        {"BEGIN", &CommandLoop::begin},
        {"TURN", &CommandLoop::turn},
        {"BOARD", &CommandLoop::board},
        {"INFO", &CommandLoop::info},
        {"PLAY", &CommandLoop::play},
        {"END", &CommandLoop::end},
        {"ABOUT", &CommandLoop::about},
        {"SET_EVALS", &CommandLoop::setEvals},
        {"GET_EVALS", &CommandLoop::getEvals},
        {"SET_DEPTH", &CommandLoop::setDepth},
        {"IS_WIN", &CommandLoop::isWin},
        {"SHOW_BOARD", &CommandLoop::showBoardCommand},
        {"VCT", &CommandLoop::vct},
        {"EVAL_FIX", &CommandLoop::evalFix},
        {"IS_SHOW_MESSAGE", &CommandLoop::isShowMessage},
    };
}

void CommandLoop::run() {
    std::string word;
    // The end of input ends the session like END.
    while (running.load() && args.readWord(word)) {
        const auto entry = commandTable.find(word);
        if (entry == commandTable.end()) {
            output.line("ERROR Command \"" + word + "\" not support");
            continue;
        }
        const Handler handler = entry->second;
        // Nothing but END and ABOUT may run while the worker owns the engine.
        if (handler != &CommandLoop::end && handler != &CommandLoop::about) worker.waitIdle();
        args.beginCommand();
        (this->*handler)();
    }
    running.store(0);
    worker.stop();
}

void runCommandLoop(std::istream& in, std::ostream& out) {
    runCommandLoop(in, out, korvaneFlavour());
}

void runCommandLoop(std::istream& in, std::ostream& out, const EngineFlavour& flavour) {
    CommandLoop loop(in, out, flavour);
    loop.run();
}

}  // namespace korvane
