#include <string>

#include "protocol/board_picture.h"
#include "protocol/command_loop.h"
#include "protocol/settings.h"

namespace korvane {

void CommandLoop::start() {
    int size = 0;
    args.readInt(size);
    if (!engine.newGame(size)) {
        output.line("ERROR:NOT SUPPORT<" + std::to_string(size) + ">");
        return;
    }
    output.line("OK");
}

void CommandLoop::restart() {
    engine.newGame();
    output.line("OK");
}

void CommandLoop::takeback() {
    // The last stone is taken back whatever the coordinates say.
    const Arguments::Point p = args.readPoint();
    if (!engine.takeBack()) {
        output.line("INVALID POS:" + std::to_string(p.x) + "," + std::to_string(p.y));
        return;
    }
    output.line("OK");
}

void CommandLoop::begin() {
    worker.requestSearch();
}

bool CommandLoop::playArgumentPoint() {
    const Arguments::Point p = args.readPoint();
    return p.ok && engine.play({p.x, p.y});
}

void CommandLoop::turn() {
    if (!playArgumentPoint()) {
        output.line("ERROR COORDINATE");
        return;
    }
    if (showBoard) output.write(printBoard(engine.ai()) + printPatternCounts(engine.ai()));
    worker.requestSearch();
}

void CommandLoop::board() {
    engine.newGame();
    std::string word;
    // The block ends at DONE or at the end of input.
    while (args.readWord(word) && word != "DONE") {
        const Arguments::Point p = parseStone(word);
        if (p.ok && engine.play({p.x, p.y})) continue;
        output.line("ERROR BOARD POS:" + word);
        // The rest of the block is dropped unanswered.
        while (args.readWord(word) && word != "DONE") {
        }
        break;
    }
    worker.requestSearch();
}

void CommandLoop::play() {
    if (!playArgumentPoint()) output.line("ERROR PLAY MOVE");
}

void CommandLoop::end() {
    running.store(0);
}

void CommandLoop::about() {
    output.line(aboutLine);
}

}  // namespace korvane
